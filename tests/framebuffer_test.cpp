#include <gtest/gtest.h>

#include <cstring>

#include "core/state.h"
#include "lcd/lcd.h"

namespace {

int DarkDots() {
    int n = 0;
    for (uint8_t b : inst.frameBuffer) n += __builtin_popcount(b);
    return n;
}

struct PixelCase {
    uint8_t x, y;
    int byte;      // -1: off screen, nothing changes
    uint8_t mask;
};

const PixelCase kPixels[] = {
    {0, 0, 0, 0x01},     {0, 7, 0, 0x80},     {0, 8, 114, 0x01},  {5, 9, 119, 0x02},
    {113, 63, 911, 0x80}, {114, 0, -1, 0},    {0, 64, -1, 0},     {255, 255, -1, 0},
};

}  // namespace

TEST(FrameBuffer, SetAndClearTouchExactlyOneBit) {
    for (const PixelCase& c : kPixels) {
        ResetProgram();
        LcdPutPixel(c.x, c.y, 1);
        if (c.byte < 0) {
            EXPECT_EQ(DarkDots(), 0) << int(c.x) << "," << int(c.y);
            EXPECT_EQ(LcdGetPixel(c.x, c.y), 0);
            continue;
        }
        EXPECT_EQ(inst.frameBuffer[c.byte], c.mask) << int(c.x) << "," << int(c.y);
        EXPECT_EQ(DarkDots(), 1);
        EXPECT_EQ(LcdGetPixel(c.x, c.y), 1);
        LcdPutPixel(c.x, c.y, 0);
        EXPECT_EQ(DarkDots(), 0);
    }
}

TEST(FrameBuffer, ToggleTwiceRestoresAndOtherModesDoNothing) {
    ResetProgram();
    inst.frameBuffer[119] = 0xA5;
    LcdPutPixel(5, 9, 2);
    EXPECT_EQ(inst.frameBuffer[119], 0xA7);
    LcdPutPixel(5, 9, 2);
    EXPECT_EQ(inst.frameBuffer[119], 0xA5);
    for (int mode : {3, 100, 255}) {
        LcdPutPixel(5, 9, static_cast<DrawMode>(mode));
        LcdPutPixel(5, 8, static_cast<DrawMode>(mode));
        EXPECT_EQ(inst.frameBuffer[119], 0xA5) << mode;
    }
}

TEST(FrameBuffer, GetPixelAnswersZeroOrOneAndClearBlanksAll) {
    ResetProgram();
    std::memset(inst.frameBuffer, 0xFF, sizeof inst.frameBuffer);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 114; ++x) ASSERT_EQ(LcdGetPixel(uint8_t(x), uint8_t(y)), 1);
    LcdClear();
    for (uint8_t b : inst.frameBuffer) ASSERT_EQ(b, 0);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 114; ++x) ASSERT_EQ(LcdGetPixel(uint8_t(x), uint8_t(y)), 0);
}
