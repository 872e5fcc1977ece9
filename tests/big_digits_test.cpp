#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/state.h"
#include "dots.h"
#include "lcd/lcd.h"

namespace {

bool GlyphDot(int d, int i, int row) {
    return (bigDigitFont[(row / 8) * 180 + d * 18 + i] >> (row % 8)) & 1;
}

// The dots of digit d with its cell's corner at (x, y); x may lie left of the
// screen, for figures that wrap in from column 256 - k.
Dots Glyph(int d, int x, int y) {
    Dots dots;
    for (int i = 0; i < 18; ++i)
        for (int row = 0; row < 24; ++row)
            if (GlyphDot(d, i, row) && x + i >= 0 && x + i < kLcdWidth && y + row < kLcdHeight)
                dots.insert({x + i, y + row});
    return dots;
}

Dots Drawn(uint8_t x, uint8_t y, const char* text) {
    ResetProgram();
    LcdBigDigits(x, y, text);
    return DarkDots();
}

}  // namespace

TEST(BigDigitFont, MatchesThePrintedRowsOfZeroAndOne) {
    struct Row {
        int digit, pageRow;
        const char* bytes;
    };
    const Row rows[] = {
        {0, 0, "00 C0 F8 FC FE 3E 1F 0F 0F 0F 1F 3E FE FC F8 C0 00 00"},
        {0, 1, "00 FF FF FF FF 00 00 00 00 00 00 00 FF FF FF FF 00 00"},
        {0, 2, "00 01 0F 1F 3F 3E 7C 78 78 78 7C 3E 3F 1F 0F 01 00 00"},
        {1, 0, "00 00 00 C0 E0 E0 F0 F8 7C FF FF FF FF 00 00 00 00 00"},
        {1, 1, "00 00 00 03 01 01 00 00 00 FF FF FF FF 00 00 00 00 00"},
        {1, 2, "00 00 00 00 00 00 00 00 00 7F 7F 7F 7F 00 00 00 00 00"},
    };
    for (const Row& r : rows) {
        const uint8_t* first = bigDigitFont + r.pageRow * 180 + r.digit * 18;
        EXPECT_EQ(std::vector<uint8_t>(first, first + 18), HexBytes(r.bytes))
            << "digit " << r.digit << " page row " << r.pageRow;
    }
}

// Column 0, column 17 and row 23 blank so neighbours never touch; every
// figure reaches from row 0 to row 22 so that a number lines up.
TEST(BigDigitFont, EveryDigitFillsRowsZeroToTwentyTwoWithinColumnsOneToSixteen) {
    for (int d = 0; d < 10; ++d) {
        int top = 24, bottom = -1;
        for (int i = 0; i < 18; ++i)
            for (int row = 0; row < 24; ++row) {
                if (!GlyphDot(d, i, row)) continue;
                EXPECT_TRUE(i >= 1 && i <= 16 && row <= 22)
                    << "digit " << d << " dot at column " << i << " row " << row;
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
        EXPECT_EQ(top, 0) << "digit " << d;
        EXPECT_EQ(bottom, 22) << "digit " << d;
    }
}

TEST(BigDigits, CellsAdvanceEighteenColumns) {
    struct Case {
        uint8_t x, y;
        const char* text;
        Dots dots;
    };
    const Dots minus = Box(40, 48, 39, 41);
    const std::vector<Case> cases = {
        {0, 0, "", {}},
        {0, 0, "12345",
         Glyph(1, 0, 0) + Glyph(2, 18, 0) + Glyph(3, 36, 0) + Glyph(4, 54, 0) + Glyph(5, 72, 0)},
        {18, 3, "678", Glyph(6, 18, 3) + Glyph(7, 36, 3) + Glyph(8, 54, 3)},
        // the altitude -50, right-aligned in five places
        {0, 30, "  -50", minus + Glyph(5, 54, 30) + Glyph(0, 72, 30)},
        {0, 0, "-", Box(4, 12, 9, 11)},
        {0, 0, "+", Box(4, 12, 9, 11) + Box(7, 10, 5, 14)},
        {36, 0, " 9 ", Glyph(9, 54, 0)},
        // positions wrap modulo 256: these cells start 6 and 18 columns left of the screen
        {250, 0, "8", Glyph(8, -6, 0)},
        {238, 0, "-2", Glyph(2, 0, 0)},
        {250, 0, "-", Box(0, 6, 9, 11)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drawn(c.x, c.y, c.text), c.dots)
            << "\"" << c.text << "\" at " << int(c.x) << "," << int(c.y);
}

TEST(BigDigits, FiguresSpanTwentyThreeRowsBelowY) {
    for (uint8_t y : {uint8_t(3), uint8_t(30)})
        for (char d = '0'; d <= '9'; ++d) {
            const char text[] = {d, '\0'};
            const Dots dots = Drawn(0, y, text);
            ASSERT_FALSE(dots.empty());
            int top = 64, bottom = -1, right = -1;
            for (auto [x, row] : dots) {
                top = std::min(top, row);
                bottom = std::max(bottom, row);
                right = std::max(right, x);
            }
            EXPECT_EQ(top, y) << d;
            EXPECT_EQ(bottom, y + 22) << d;
            EXPECT_LE(right, 16) << d;
        }
}

TEST(BigDigits, OnlySetsDots) {
    ResetProgram();
    std::memset(inst.frameBuffer, 0xFF, sizeof inst.frameBuffer);
    LcdBigDigits(10, 20, "8-+");
    for (int i = 0; i < kFrameBytes; ++i) ASSERT_EQ(inst.frameBuffer[i], 0xFF) << "byte " << i;
}

// Characters without a figure leave their cell empty but still take its room,
// whatever their code (bytes above 127 included).
TEST(BigDigits, OtherCharactersDrawNothing) {
    for (const char* text : {"/", ":", "A", "a", ".", "\x7f", "\x80", "\xcf", "\xff", "\x01"}) {
        EXPECT_EQ(Drawn(0, 0, text), Dots{}) << int(static_cast<unsigned char>(text[0]));
        const std::string withFive = std::string(text) + "5";
        EXPECT_EQ(Drawn(0, 0, withFive.c_str()), Glyph(5, 18, 0))
            << int(static_cast<unsigned char>(text[0]));
    }
}
