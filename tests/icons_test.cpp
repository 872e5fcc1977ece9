#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/state.h"
#include "dots.h"
#include "lcd/lcd.h"

namespace {

// Where each icon comes from and where it lands on the screen.
struct IconCase {
    uint8_t n;
    const uint8_t* bank;
    int offset;
    int column;
    int page;
};

const IconCase kIcons[] = {
    {0, iconBankA, 0, 4, 2},   {1, iconBankA, 32, 4, 2},  {2, iconBankA, 64, 4, 2},
    {3, iconBankA, 96, 8, 1},  {4, iconBankA, 512, 4, 2}, {5, iconBankA, 544, 8, 2},
    {6, iconBankA, 576, 4, 2}, {7, iconBankA, 608, 4, 2}, {8, iconBankB, 608, 4, 2},
    {9, iconBankB, 96, 4, 2},
};

// Every byte differs from its neighbours, so a stray write shows.
uint8_t PatternByte(int i) { return static_cast<uint8_t>(i * 37 + 11); }

void FillPattern() {
    for (int i = 0; i < kFrameBytes; ++i) inst.frameBuffer[i] = PatternByte(i);
}

bool Inside(const IconCase& c, int index) {
    const int page = index / kLcdWidth;
    const int column = index % kLcdWidth;
    return page >= c.page && page < c.page + 4 && column >= c.column && column < c.column + 32;
}

}  // namespace

TEST(IconBanks, FirstRowOfTheWrittenPageMatches) {
    const char* const top =
        "00 00 00 FC FC 0C 0C 0C 8C 8C 0C 8C 8C 0C 8C 8C "
        "0C 0C 8C 0C 0C 8C 0C 8C 0C 0C FC FC 00 00 00 00";
    EXPECT_EQ(std::vector<uint8_t>(iconBankA, iconBankA + 32), HexBytes(top));
}

// Every icon slot holds a picture; bank B's six unused slots are blank.
TEST(IconBanks, UsedSlotsHoldPicturesAndTheRestAreBlank) {
    for (const IconCase& c : kIcons) {
        int dark = 0;
        for (int p = 0; p < 4; ++p)
            for (int i = 0; i < 32; ++i) dark += __builtin_popcount(c.bank[c.offset + p * 128 + i]);
        EXPECT_GT(dark, 60) << "icon " << int(c.n);
    }
    for (int index = 0; index < 1024; ++index) {
        const int slotStart = index % 128 / 32 * 32 + index / 512 * 512;
        if (slotStart == 96 || slotStart == 608) continue;
        ASSERT_EQ(iconBankB[index], 0) << "bank B byte " << index;
    }
}

TEST(DrawIcon, CopiesFourPageRowsOfWholeBytesAndNothingElse) {
    for (const IconCase& c : kIcons) {
        ResetProgram();
        FillPattern();
        DrawIcon(c.n);
        for (int p = 0; p < 4; ++p)
            for (int i = 0; i < 32; ++i)
                ASSERT_EQ(inst.frameBuffer[(c.page + p) * kLcdWidth + c.column + i],
                          c.bank[c.offset + p * 128 + i])
                    << "icon " << int(c.n) << " page row " << p << " column " << i;
        for (int index = 0; index < kFrameBytes; ++index) {
            if (Inside(c, index)) continue;
            ASSERT_EQ(inst.frameBuffer[index], PatternByte(index))
                << "icon " << int(c.n) << " byte " << index;
        }
    }
}

// Light dots of the icon come out light even over a dark screen.
TEST(DrawIcon, ReplacesADarkScreenWithThePicture) {
    ResetProgram();
    std::memset(inst.frameBuffer, 0xFF, sizeof inst.frameBuffer);
    DrawIcon(0);
    int light = 0;
    for (int y = 0; y < kLcdHeight; ++y)
        for (int x = 0; x < kLcdWidth; ++x) {
            const bool inSquare = x >= 4 && x <= 35 && y >= 16 && y <= 47;
            const int expected =
                inSquare ? (iconBankA[(y - 16) / 8 * 128 + x - 4] >> (y % 8)) & 1 : 1;
            ASSERT_EQ(LcdGetPixel(uint8_t(x), uint8_t(y)), expected) << x << "," << y;
            light += expected == 0;
        }
    EXPECT_EQ(LcdGetPixel(4, 16), 0);  // the page's blank margin
    EXPECT_GT(light, 500);
}

TEST(DrawIcon, NumbersWithoutAnIconChangeNothing) {
    for (uint8_t n : {uint8_t(10), uint8_t(11), uint8_t(128), uint8_t(255)}) {
        ResetProgram();
        FillPattern();
        DrawIcon(n);
        for (int index = 0; index < kFrameBytes; ++index)
            ASSERT_EQ(inst.frameBuffer[index], PatternByte(index)) << int(n) << " byte " << index;
    }
}
