#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "core/sequence.h"
#include "fake_host.h"
#include "lcd/lcd.h"
#include "lcd_dots.h"

namespace {

using Text8x8Test = DrawingTest;

// Each glyph row becomes two screen rows.
Dots DoubleHeightDots(const std::string& text, int x, int y) {
    Dots dots;
    for (auto [gx, gy] : Text8x8Dots(text, x, 0)) {
        dots.insert({gx, y + 2 * gy});
        dots.insert({gx, y + 2 * gy + 1});
    }
    return dots;
}

// Columns that hold a dark dot in rows y0 to y1.
std::set<int> DarkColumns(const Dots& dots, int y0, int y1) {
    std::set<int> columns;
    for (auto [x, y] : dots)
        if (y >= y0 && y <= y1) columns.insert(x);
    return columns;
}

// First and last dark column, or kNone.
constexpr std::pair<int, int> kNone{-1, -1};
std::pair<int, int> Span(const Dots& dots) {
    if (dots.empty()) return kNone;
    int first = kLcdWidth, last = -1;
    for (auto [x, y] : dots) first = std::min(first, x), last = std::max(last, x);
    return {first, last};
}

std::set<int> Range(int first, int last) {
    std::set<int> values;
    for (int v = first; v <= last; ++v) values.insert(v);
    return values;
}

}  // namespace

TEST_F(Text8x8Test, NormalTextIsTransparentAndInverseRewritesTheWholeCell) {
    for (uint8_t inverse : {0, 1}) {
        Checkerboard();
        LcdText(0, 8, "EXIT", 0, 1, inverse);
        Dots expected;
        for (int y = 0; y < kLcdHeight; ++y)
            for (int x = 0; x < kLcdWidth; ++x) {
                const bool inCell = x < 32 && y >= 8 && y < 16;
                const bool glyph = inCell && Glyph8x8Dot("EXIT"[x / 8], x % 8, y - 8);
                const bool dark = !inCell   ? CheckerDot(x, y)
                                  : inverse ? !glyph
                                            : CheckerDot(x, y) || glyph;
                if (dark) expected.insert({x, y});
            }
        EXPECT_EQ(DarkDots(), expected) << "inverse " << int(inverse);
    }
    // The blank glyph row 7 becomes a dark line under inverted text.
    for (int x = 0; x < 32; ++x) EXPECT_EQ(LcdGetPixel(uint8_t(x), 15), 1) << "x " << x;
}

TEST_F(Text8x8Test, OnlyInverseOneInvertsAndNormalHeightAlwaysSets) {
    Checkerboard();
    LcdText(3, 10, "EXIT", 0, 1, 0);
    const auto normal = Frame();
    Checkerboard();
    LcdText(3, 10, "EXIT", 0, 1, 1);
    const auto inverted = Frame();
    struct Case {
        DrawMode mode;
        uint8_t inverse;
        bool isInverted;
    } const cases[] = {{1, 2, false},   {1, 100, false}, {0, 0, false}, {2, 0, false},
                       {7, 255, false}, {0, 1, true},    {2, 1, true}};
    for (const Case& c : cases) {
        Checkerboard();
        LcdText(3, 10, "EXIT", 0, c.mode, c.inverse);
        EXPECT_EQ(Frame(), c.isInverted ? inverted : normal)
            << "drawMode " << int(c.mode) << " inverse " << int(c.inverse);
    }
}

TEST_F(Text8x8Test, DoubleHeightDoublesEachRowAndOnlyClearsOrSets) {
    LcdText(20, 10, "EXIT", 1, 1, 0);
    EXPECT_EQ(DarkDots(), DoubleHeightDots("EXIT", 20, 10));

    FillScreen(0xFF);
    LcdText(20, 10, "EXIT", 1, 0, 0);
    Dots cutOut = Box(0, 113, 0, 63);
    for (auto dot : DoubleHeightDots("EXIT", 20, 10)) cutOut.erase(dot);
    EXPECT_EQ(DarkDots(), cutOut);

    // inverse means nothing at double height
    ResetProgram();
    LcdText(20, 10, "EXIT", 1, 1, 1);
    EXPECT_EQ(DarkDots(), DoubleHeightDots("EXIT", 20, 10));
}

// Every one of these leaves a checkerboard exactly as it was.
TEST_F(Text8x8Test, CasesThatDrawNothing) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"empty text", [] { LcdText(0, 8, "", 0, 1, 1); }},
        {"double height, drawMode 2", [] { LcdText(0, 8, "EXIT", 1, 2, 0); }},
        {"double height, drawMode 3", [] { LcdText(0, 8, "EXIT", 1, 3, 1); }},
        {"codes below 32", [] { LcdText(0, 8, "\x01\x1f", 0, 1, 1); }},
        {"codes above 131", [] { LcdText(0, 8, "\x84\xc0\xff", 0, 1, 1); }},
        {"codes above 131, double height", [] { LcdText(0, 8, "\x84\xff", 1, 0, 0); }},
    };
    for (const auto& [what, draw] : cases) {
        Checkerboard();
        draw();
        EXPECT_EQ(DarkDots(), CheckerDots()) << what;
    }
}

TEST_F(Text8x8Test, ACodeWithoutAGlyphStillTakesItsCell) {
    Checkerboard();
    LcdText(0, 8,
            "A\x01"
            "B",
            0, 1, 1);
    const auto actual = Frame();
    Checkerboard();
    LcdText(0, 8, "A", 0, 1, 1);
    LcdText(16, 8, "B", 0, 1, 1);
    EXPECT_EQ(actual, Frame());
}

TEST_F(Text8x8Test, TextStraddlingTwoPagesLooksTheSameThreeRowsLower) {
    for (uint8_t inverse : {0, 1}) {
        ResetProgram();
        LcdText(20, 0, "A$g~", 0, 1, inverse);
        const Dots atTop = DarkDots();
        ResetProgram();
        LcdText(20, 3, "A$g~", 0, 1, inverse);
        EXPECT_EQ(DarkDots(), Shifted(atTop, 0, 3)) << "inverse " << int(inverse);
    }
}

TEST_F(Text8x8Test, ColumnsWrapAt256) {
    LcdText(250, 0, "LOG", 0, 1, 0);
    // L's last two columns hold one dot, at the foot of its stem.
    EXPECT_EQ(DarkDots(),
              Union({{0, 6}}, Union(Glyph8x8Dots('O', 2, 0), Glyph8x8Dots('G', 10, 0))));
}

TEST_F(Text8x8Test, CentredTextStartsFourColumnsACharacterLeftOfTheCentre) {
    struct Case {
        uint8_t centre;
        const char* text;
        uint8_t start;
        int firstCell, lastCell;  // visible cell columns
    } const cases[] = {
        {57, "AIRSPEED SET", 9, 9, 104},
        {57, "LOG", 45, 45, 68},
        {10, "ABCD", 250, 0, 25},  // starts left of the screen
        {0, "A", 252, 0, 3},
    };
    for (const Case& c : cases) {
        ResetProgram();
        LcdTextCentred(c.centre, 8, c.text, 0, 1, 1);
        // The inverted cells' blank bottom row shows exactly where they lie.
        EXPECT_EQ(DarkColumns(DarkDots(), 15, 15), Range(c.firstCell, c.lastCell)) << c.text;
        const auto centred = Frame();
        ResetProgram();
        LcdText(c.start, 8, c.text, 0, 1, 1);
        EXPECT_EQ(centred, Frame()) << c.text;
    }
}

TEST_F(Text8x8Test, TextAtTheFootOfTheScreenKeepsOnlyItsTopRows) {
    LcdText(0, 60, "EXIT", 0, 1, 0);
    EXPECT_EQ(DarkDots(), OnScreen(Text8x8Dots("EXIT", 0, 60)));
    ResetProgram();
    LcdText(0, 60, "EXIT", 1, 1, 0);
    EXPECT_EQ(DarkDots(), OnScreen(DoubleHeightDots("EXIT", 0, 60)));
    // only glyph rows 0 and 1 survive
    Dots firstTwoRows;
    for (auto [x, y] : Text8x8Dots("EXIT", 0, 0))
        if (y < 2) firstTwoRows.insert({x, 60 + 2 * y}), firstTwoRows.insert({x, 61 + 2 * y});
    EXPECT_EQ(DarkDots(), firstTwoRows);
}

TEST_F(Text8x8Test, ConstTwinsDrawAtMostThirtyOneCharacters) {
    // Character 30 lands on x 0 after the wrap; character 31 would follow at 8.
    const std::string text = std::string(30, ' ') + "AB" + std::string(8, 'C');
    LcdTextConst(16, 8, text.c_str(), 0, 1, 0);
    EXPECT_EQ(DarkDots(), Glyph8x8Dots('A', 0, 8));

    // Centred on the 31 characters it draws.
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    ResetProgram();
    LcdTextCentredConst(57, 8, letters.c_str(), 0, 1, 0);
    const auto capped = Frame();
    ResetProgram();
    LcdTextCentred(57, 8, letters.substr(0, 31).c_str(), 0, 1, 0);
    EXPECT_EQ(capped, Frame());
    ResetProgram();
    LcdTextCentred(57, 8, letters.c_str(), 0, 1, 0);
    EXPECT_NE(capped, Frame()) << "the whole text would be placed differently";
}

// The splash's lines where its timeline puts them, in the frames that show it.
using SplashTest = InstrumentTest;

TEST_F(SplashTest, LinesFollowTheTimeline) {
    struct Case {
        int frame;
        std::pair<int, int> maker;  // first and last dark column, rows 5 to 20
        std::pair<int, int> model;  // the same, rows 28 to 43, left of the version
    } const cases[] = {
        {1, kNone, kNone},
        {15, {86, 108}, {0, 0}},  // of the model line only its last cell's end shows
        {53, {10, 104}, {38, 76}},
        {80, {10, 104}, {38, 76}},
    };
    // the version and the web address stand still
    const Dots still =
        Union(SmallTextDots("1.11", 85, 40), SmallTextDots(kSplashWebAddress, 0, 56));

    Button1Click();
    int drawn = 0;
    for (const Case& c : cases) {
        for (; drawn < c.frame; ++drawn) InstrumentStep();
        Dots maker, model, rest;
        for (auto [x, y] : DarkDots()) {
            if (y >= 5 && y <= 20)
                maker.insert({x, y});
            else if (y >= 28 && y <= 43 && x < 85)
                model.insert({x, y});
            else
                rest.insert({x, y});
        }
        EXPECT_EQ(Span(maker), c.maker) << "frame " << c.frame;
        EXPECT_EQ(Span(model), c.model) << "frame " << c.frame;
        EXPECT_EQ(rest, still) << "frame " << c.frame;
    }
}
