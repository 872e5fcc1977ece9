#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "lcd/lcd.h"
#include "lcd_dots.h"

namespace {

using SmallTextTest = DrawingTest;

// The dots an inverted cell sets: its 6 x 8 cell from the row above the
// glyph, less the glyph's own dots.
Dots InvertedCellDots(char c, int x, int y) {
    Dots dots;
    for (int i = 0; i < 6; ++i)
        for (int k = -1; k < 7; ++k)
            if (!SmallGlyphDot(c, i, k)) dots.insert({x + i, y + k});
    return dots;
}

Dots InvertedTextDots(const std::string& text, int x, int y) {
    return LineDots(text, x, y, 6, InvertedCellDots);
}

}  // namespace

TEST_F(SmallTextTest, NormalTextSetsOnlyGlyphDots) {
    LcdSmallText(85, 40, "1.11", 100);
    const Dots dots = DarkDots();
    EXPECT_EQ(dots, SmallTextDots("1.11", 85, 40));
    EXPECT_EQ(dots.begin()->first, 86);
    EXPECT_EQ(dots.rbegin()->first, 106);
    for (auto [x, y] : dots) EXPECT_TRUE(y >= 40 && y <= 46) << x << "," << y;
}

TEST_F(SmallTextTest, InversionStartsAtTheGivenCharacter) {
    LcdSmallText(85, 40, "1.11", 1);
    const Dots expected = Union(SmallGlyphDots('1', 85, 40), InvertedTextDots(".11", 91, 40));
    EXPECT_EQ(DarkDots(), expected);
    // the three inverted cells: columns 91 to 108, rows 39 to 46
    Dots cells;
    for (auto [x, y] : expected)
        if (x >= 91) cells.insert({x, y});
    Dots box = Box(91, 108, 39, 46);
    for (auto dot : SmallTextDots(".11", 91, 40)) box.erase(dot);
    EXPECT_EQ(cells, box);
}

// Inverted small text only sets dots: the glyph shows light only where the
// screen was light.
TEST_F(SmallTextTest, InvertedTextNeverClearsADot) {
    Checkerboard();
    LcdSmallText(85, 40, "1.11", 0);
    EXPECT_EQ(DarkDots(), Union(CheckerDots(), InvertedTextDots("1.11", 85, 40)));

    FillScreen(0xFF);
    LcdSmallText(85, 40, "1.11", 0);
    EXPECT_EQ(DarkDots(), Box(0, 113, 0, 63));
}

TEST_F(SmallTextTest, CentredTextStartsThreeColumnsACharacterLeftOfTheCentre) {
    LcdSmallTextCentred(57, 20, "WWWWWWWWWW", 100);
    const Dots dots = DarkDots();
    EXPECT_EQ(dots, SmallTextDots("WWWWWWWWWW", 27, 20));
    EXPECT_EQ(dots.begin()->first, 27);
    EXPECT_EQ(dots.rbegin()->first, 85) << "no glyph dot in the last cell's blank column";

    ResetProgram();
    LcdSmallTextCentred(10, 20, "ABCDE", 100);  // starts left of the screen, at 251
    EXPECT_EQ(DarkDots(), OnScreen(SmallTextDots("ABCDE", -5, 20)));
}

TEST_F(SmallTextTest, AtTheTopOnlyTheRowAboveTheGlyphsIsLost) {
    LcdSmallText(10, 0, "1.11", 100);
    EXPECT_EQ(DarkDots(), SmallTextDots("1.11", 10, 0));
    ResetProgram();
    LcdSmallText(10, 0, "1.11", 0);
    EXPECT_EQ(DarkDots(), OnScreen(InvertedTextDots("1.11", 10, 0)));
}

// Every one of these leaves a checkerboard exactly as it was.
TEST_F(SmallTextTest, CasesThatDrawNothing) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"empty text", [] { LcdSmallText(10, 20, "", 0); }},
        {"codes below 32", [] { LcdSmallText(10, 20, "\x01\x1f", 0); }},
        {"codes above 127", [] { LcdSmallText(10, 20, "\x80\x84\xff", 0); }},
    };
    for (const auto& [what, draw] : cases) {
        Checkerboard();
        draw();
        EXPECT_EQ(DarkDots(), CheckerDots()) << what;
    }
}

TEST_F(SmallTextTest, ACodeWithoutAGlyphStillTakesItsCellAndCountsAsACharacter) {
    LcdSmallText(10, 20,
                 "A\x80"
                 "BC",
                 2);
    EXPECT_EQ(DarkDots(), Union(SmallGlyphDots('A', 10, 20), InvertedTextDots("BC", 22, 20)));
}

TEST_F(SmallTextTest, ConstTwinsDrawAtMostThirtyOneCharacters) {
    // Character 30 lands on x 0 after the wrap; character 31 would follow at 6.
    const std::string text = std::string(30, ' ') + "AB" + std::string(8, 'C');
    LcdSmallTextConst(76, 20, text.c_str(), 100);
    EXPECT_EQ(DarkDots(), SmallGlyphDots('A', 0, 20));

    // Centred on the 31 characters it draws.
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    ResetProgram();
    LcdSmallTextCentredConst(57, 20, letters.c_str(), 100);
    EXPECT_EQ(DarkDots(), OnScreen(SmallTextDots(letters.substr(0, 31), 57 - 93, 20)));
}
