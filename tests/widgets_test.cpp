#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "core/state.h"
#include "lcd/lcd.h"
#include "lcd_dots.h"

using WidgetsTest = DrawingTest;

TEST_F(WidgetsTest, TitleIsCentredWithARuleToEachSide) {
    DrawTitleConst(" MAIN MENU ");
    Dots rules, letters;
    for (auto [x, y] : DarkDots()) {
        if (y == 4 && (x < 21 || x > 91))
            rules.insert({x, y});
        else
            letters.insert({x, y});
    }
    EXPECT_EQ(rules, Union(Box(0, 15, 4, 4), Box(99, 113, 4, 4)));
    EXPECT_EQ(letters.begin()->first, 21);
    EXPECT_EQ(letters.rbegin()->first, 91);
    for (auto [x, y] : letters) EXPECT_LE(y, 6) << x << "," << y;
}

TEST_F(WidgetsTest, MenuLinesStayOffTheTitleBand) {
    struct Case {
        uint8_t y, inverse;
        bool drawn;
    } const cases[] = {{7, 0, false}, {0, 1, false},  {8, 0, true},
                       {8, 1, true},  {8, 100, true}, {56, 1, true}};
    for (const Case& c : cases) {
        ResetProgram();
        DrawMenuLineConst(4, c.y, "ALT SETUP", c.inverse);
        const auto line = Frame();
        ResetProgram();
        if (c.drawn) LcdText(4, c.y, "ALT SETUP", 0, 1, c.inverse);
        EXPECT_EQ(line, Frame()) << "y " << int(c.y) << " inverse " << int(c.inverse);
    }
}

TEST_F(WidgetsTest, SettingRowHighlightsTheCursorRow) {
    struct Case {
        uint8_t menuItem, editMode, valueX, row;
        int y;  // -1: nothing visible
        uint8_t labelInverse, valueInverse;
    } const cases[] = {
        {1, 0, 0, 1, 16, 1, 1},  // moving the cursor: label and value
        {1, 1, 0, 1, 16, 0, 1},  // editing: the value alone
        {2, 0, 0, 1, 16, 0, 0},  // another row
        {0, 0, 0, 0, 8, 1, 1},    {6, 0, 0, 6, 56, 1, 1},
        {7, 0, 0, 6, 56, 1, 1},  // past row 6 the list scrolls: the cursor stays on row 6
        {9, 0, 0, 6, 56, 1, 1},   {9, 1, 0, 6, 56, 0, 1},
        {9, 0, 0, 5, 48, 0, 0},   {1, 0, 8, 1, 16, 1, 1},  // value moved right by valueX
        {0, 0, 0, 255, -1, 0, 0}, {9, 0, 0, 255, -1, 0, 0},
        {0, 0, 0, 254, -1, 0, 0}, {0, 0, 0, 7, -1, 0, 0},
    };
    for (const Case& c : cases) {
        ResetProgram();
        if (c.y >= 0) {
            LcdText(0, uint8_t(c.y), "LOW ALM: ", 0, 1, c.labelInverse);
            LcdText(uint8_t(72 + c.valueX), uint8_t(c.y), "ON", 0, 1, c.valueInverse);
        }
        const auto expected = Frame();
        const std::function<void(uint8_t, uint8_t)> twins[] = {
            [](uint8_t valueX, uint8_t row) { DrawSettingRow(valueX, row, "LOW ALM: ", "ON"); },
            [](uint8_t valueX, uint8_t row) {
                DrawSettingRowConstLabel(valueX, row, "LOW ALM: ", "ON");
            },
            [](uint8_t valueX, uint8_t row) {
                DrawSettingRowConst(valueX, row, "LOW ALM: ", "ON");
            },
        };
        for (const auto& draw : twins) {
            ResetProgram();
            inst.menuItem = c.menuItem;
            inst.editMode = c.editMode;
            draw(c.valueX, c.row);
            EXPECT_EQ(Frame(), expected) << "menuItem " << int(c.menuItem) << " editMode "
                                         << int(c.editMode) << " row " << int(c.row);
        }
    }
}

TEST_F(WidgetsTest, ConstTwinsDrawAtMostThirtyOneCharacters) {
    // Character 30 lands on x 0 after the wrap; character 31 would follow at 8.
    const std::string text = std::string(30, ' ') + "AB" + std::string(8, 'C');
    DrawMenuLineConst(16, 8, text.c_str(), 0);
    EXPECT_EQ(DarkDots(), Glyph8x8Dots('A', 0, 8));

    // The value follows the 31 label characters drawn: from x 248, so its N
    // shows at x 0 (and the label's own letters lie off the screen).
    ResetProgram();
    inst.menuItem = 5;
    DrawSettingRowConst(0, 0, text.c_str(), "ON");
    EXPECT_EQ(DarkDots(), Glyph8x8Dots('N', 0, 8));

    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    ResetProgram();
    DrawTitleConst(letters.c_str());
    const auto capped = Frame();
    ResetProgram();
    DrawTitle(letters.substr(0, 31).c_str());
    EXPECT_EQ(capped, Frame());
}

TEST_F(WidgetsTest, ScrollBarThumbFollowsTheItem) {
    struct Case {
        uint8_t count;
        int height;
        std::vector<int> tops;  // for item 0, 1, 2, ...
    } const cases[] = {
        {6, 10, {8, 17, 26, 35, 45, 54}},
        {8, 8, {8, 15, 22, 29, 36, 43, 50, 57}},  // item 7's last row falls off
        {1, 56, {8}},
    };
    const Dots track = Box(111, 111, 8, 63);
    for (const Case& c : cases)
        for (std::size_t item = 0; item < c.tops.size(); ++item) {
            ResetProgram();
            DrawMenuScrollBar(uint8_t(item), c.count);
            const int top = c.tops[item];
            EXPECT_EQ(DarkDots(), Union(track, OnScreen(Box(109, 113, top, top + c.height - 1))))
                << "item " << item << " of " << int(c.count);
        }
    // No entries, no thumb: only the track.
    ResetProgram();
    DrawMenuScrollBar(0, 0);
    EXPECT_EQ(DarkDots(), track);
}

TEST_F(WidgetsTest, AppendAddsTheCurrentUnitsName) {
    struct Case {
        void (*append)(char*);
        uint8_t InstrumentState::*unit;
        uint8_t value;
        const char* expected;
    } const cases[] = {
        {AppendAltUnit, &InstrumentState::altUnit, 0, "1013ft"},
        {AppendAltUnit, &InstrumentState::altUnit, 1, "1013m"},
        {AppendQnhUnit, &InstrumentState::qnhUnit, 0, "1013mB"},
        {AppendQnhUnit, &InstrumentState::qnhUnit, 1, "1013\"Hg"},
        {AppendAsiUnit, &InstrumentState::asiUnit, 0, "1013mph"},
        {AppendAsiUnit, &InstrumentState::asiUnit, 1, "1013km/h"},
        {AppendAsiUnit, &InstrumentState::asiUnit, 2, "1013knots"},
        // a value past the table appends nothing
        {AppendAltUnit, &InstrumentState::altUnit, 2, "1013"},
        {AppendQnhUnit, &InstrumentState::qnhUnit, 2, "1013"},
        {AppendAsiUnit, &InstrumentState::asiUnit, 255, "1013"},
    };
    for (const Case& c : cases) {
        ResetProgram();
        inst.*c.unit = c.value;
        char text[32] = "1013";
        c.append(text);
        EXPECT_STREQ(text, c.expected);
    }
}
