#include <gtest/gtest.h>

#include "core/state.h"
#include "screens/screens.h"
#include "setup_fixture.h"

using CalibrateTest = SetupScreenTest;

TEST_F(CalibrateTest, CursorKeysAndEnter) {
    ExpectCursorMoves(ScreenCalibrate, {{0, KeyKnobCw, 1},
                                        {1, KeyRight, 2},
                                        {2, KeyKnobCw, 2},
                                        {2, KeyRight, 2},
                                        {2, KeyLeft, 1},
                                        {1, KeyKnobCcw, 0},
                                        {0, KeyLeft, 0},
                                        {0, KeyKnobCcw, 0}});
    ExpectEnterTogglesEdit(ScreenCalibrate, 1);
    ExpectEnterTogglesEdit(ScreenCalibrate, 2);
    EXPECT_EQ(hookCalls[HookSaveSettings], 0u);
    inst.menuItem = 0;
    Press(ScreenCalibrate, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 7) << "back on CALIBRATE";
    EXPECT_EQ(hookCalls[HookSaveSettings], 1u);
}

TEST_F(CalibrateTest, TrimStepsByOneAndStopsAtItsLimits) {
    struct Case {
        uint8_t row;
        int before;
        uint8_t key;
        int after;
    } const cases[] = {
        {1, 0, KeyKnobCw, 1},      {1, 0, KeyLeft, 1},          {1, 0, KeyKnobCcw, -1},
        {1, 0, KeyRight, -1},      {1, 124, KeyKnobCw, 125},    {1, 125, KeyKnobCw, 125},
        {1, 125, KeyLeft, 125},    {1, -124, KeyKnobCcw, -125}, {1, -125, KeyKnobCcw, -125},
        {1, -125, KeyRight, -125}, {1, -125, KeyKnobCw, -124},  {2, 100, KeyKnobCw, 101},
        {2, 100, KeyRight, 99},    {2, 149, KeyLeft, 150},      {2, 150, KeyKnobCw, 150},
        {2, 51, KeyKnobCcw, 50},   {2, 50, KeyKnobCcw, 50},     {2, 50, KeyRight, 50},
    };
    for (uint8_t step : {1, 10}) {
        for (const auto& c : cases) {
            inst.adjustStep = step;
            inst.menuItem = c.row;
            inst.editMode = 1;
            inst.altCalOffset = 0;
            inst.asiCalPercent = 100;
            if (c.row == 1)
                inst.altCalOffset = static_cast<int8_t>(c.before);
            else
                inst.asiCalPercent = static_cast<uint8_t>(c.before);
            Press(ScreenCalibrate, c.key);
            const int after = c.row == 1 ? inst.altCalOffset : inst.asiCalPercent;
            EXPECT_EQ(after, c.after) << "row " << int{c.row} << " from " << c.before << " "
                                      << KeyName(c.key) << " step " << int{step};
            EXPECT_EQ(c.row == 1 ? inst.asiCalPercent : inst.altCalOffset, c.row == 1 ? 100 : 0)
                << "the other row is untouched";
            EXPECT_EQ(inst.menuItem, c.row);
        }
    }
}

TEST_F(CalibrateTest, EditKeysOnTheDoneRowDoNothing) {
    inst.menuItem = 0;
    inst.editMode = 1;
    for (uint8_t key : {KeyKnobCw, KeyKnobCcw, KeyLeft, KeyRight}) {
        Press(ScreenCalibrate, key);
        EXPECT_EQ(inst.altCalOffset, 0);
        EXPECT_EQ(inst.asiCalPercent, 100);
        EXPECT_EQ(inst.menuItem, 0);
        EXPECT_EQ(inst.currentScreen, ScreenCalibrate);
    }
}

using AdcValuesTest = SetupScreenTest;

TEST_F(AdcValuesTest, OnlyEnterOnRowZeroLeaves) {
    for (uint8_t key : {KeyKnobCw, KeyKnobCcw, KeyLeft, KeyRight}) {
        inst.menuItem = 0;
        Press(ScreenAdcValues, key);
        EXPECT_EQ(inst.currentScreen, ScreenAdcValues) << KeyName(key);
        EXPECT_EQ(inst.menuItem, 0) << KeyName(key);
    }
    Press(ScreenAdcValues, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 6) << "back on ADC VALUES";
    EXPECT_EQ(hookCalls[HookSaveSettings], 0u);
}
