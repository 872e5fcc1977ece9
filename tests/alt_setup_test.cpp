#include <gtest/gtest.h>

#include "core/state.h"
#include "screens/screens.h"
#include "setup_fixture.h"

using AltSetupTest = SetupScreenTest;

TEST_F(AltSetupTest, CursorStopsAtRowsZeroAndThree) {
    ExpectCursorMoves(ScreenAltSetup, {{0, KeyKnobCw, 1},
                                       {1, KeyRight, 2},
                                       {2, KeyKnobCw, 3},
                                       {3, KeyKnobCw, 3},
                                       {3, KeyRight, 3},
                                       {3, KeyLeft, 2},
                                       {2, KeyKnobCcw, 1},
                                       {0, KeyKnobCcw, 0},
                                       {0, KeyLeft, 0}});
}

TEST_F(AltSetupTest, EnterLeavesOnRowZeroAndTogglesEditOnTheOthers) {
    inst.menuItem = 0;
    Press(ScreenAltSetup, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 4) << "back on ALTITUDE SETUP";
    EXPECT_EQ(inst.editMode, 0);
    for (uint8_t row = 1; row <= 3; ++row) ExpectEnterTogglesEdit(ScreenAltSetup, row);
}

TEST_F(AltSetupTest, EveryEditKeyFlipsTheRowsSwitch) {
    ExpectEditKeysFlip(ScreenAltSetup, 1, inst.altUnit);
    ExpectEditKeysFlip(ScreenAltSetup, 2, inst.qnhUnit);
    ExpectEditKeysFlip(ScreenAltSetup, 3, inst.altitudeOnTop);
}

TEST_F(AltSetupTest, OnlyTheQnhUnitTakesAnAltitudeAndResetsTheMaxima) {
    inst.altAdcInput = 3200;  // 973.611 mB: 1100 ft at the standard QNH
    inst.airspeed = 60;
    inst.maxAltitude = 5000;
    inst.maxAirspeed = 150;
    Editing(1);
    Press(ScreenAltSetup, KeyKnobCw);
    EXPECT_EQ(inst.altUnit, 1);
    EXPECT_EQ(inst.altAdc, 0u) << "the altitude unit takes no reading";
    EXPECT_EQ(inst.maxAltitude, 5000) << "and keeps the maximum's number";
    EXPECT_EQ(hookCalls[HookMaxValuesReset], 0u);

    Editing(2);
    Press(ScreenAltSetup, KeyRight);
    EXPECT_EQ(inst.qnhUnit, 1);
    EXPECT_EQ(inst.qnh, 1013250u) << "the QNH itself is not converted";
    EXPECT_EQ(inst.altAdc, 3200u) << "one altitude update in this pass";
    EXPECT_EQ(inst.altitudeFt, 1100);
    EXPECT_EQ(inst.altitude, 335) << "in the altitude unit, metres";
    EXPECT_EQ(hookCalls[HookMaxValuesReset], 1u);
    EXPECT_EQ(inst.maxAltitude, 335) << "the maxima restart after the update";
    EXPECT_EQ(inst.maxAirspeed, 60u);
}

using DisplaySetupTest = SetupScreenTest;

TEST_F(DisplaySetupTest, CursorStopsAtRowsZeroAndTwo) {
    ExpectCursorMoves(ScreenDisplaySetup, {{0, KeyKnobCw, 1},
                                           {1, KeyRight, 2},
                                           {2, KeyKnobCw, 2},
                                           {2, KeyRight, 2},
                                           {2, KeyLeft, 1},
                                           {1, KeyKnobCcw, 0},
                                           {0, KeyLeft, 0},
                                           {0, KeyKnobCcw, 0}});
}

TEST_F(DisplaySetupTest, EnterLeavesOpensTheContrastOrEditsTheBacklight) {
    inst.menuItem = 0;
    Press(ScreenDisplaySetup, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 3) << "back on DISPLAY SETUP";

    inst.menuItem = 1;
    Press(ScreenDisplaySetup, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenContrast);
    EXPECT_EQ(inst.menuItem, 0);
    EXPECT_EQ(inst.editMode, 0) << "opening the contrast is not editing";

    ExpectEnterTogglesEdit(ScreenDisplaySetup, 2);
}

TEST_F(DisplaySetupTest, EditKeysSwitchTheBacklightWithItsHook) {
    inst.backlight = 1;
    for (uint8_t key : {KeyKnobCw, KeyKnobCcw, KeyLeft, KeyRight}) {
        Editing(2);
        ExpectPresses<uint8_t>(ScreenDisplaySetup, key, inst.backlight, {0, 1});
    }
    EXPECT_EQ(hookCalls[HookBacklightOff], 4u);
    EXPECT_EQ(hookCalls[HookBacklightOn], 4u);

    // Edit keys on the rows without a value do nothing.
    for (uint8_t row : {0, 1}) {
        inst.menuItem = row;
        Press(ScreenDisplaySetup, KeyKnobCw);
        EXPECT_EQ(inst.backlight, 1);
        EXPECT_EQ(inst.menuItem, row);
        EXPECT_EQ(inst.currentScreen, ScreenDisplaySetup);
    }
}

using ContrastTest = SetupScreenTest;

TEST_F(ContrastTest, StepsOfOneStopAtTheEndsAndEveryKeyApplies) {
    struct Case {
        uint8_t before;
        uint8_t key;
        uint8_t after;
    } const cases[] = {
        {37, KeyKnobCw, 38}, {37, KeyLeft, 38},   {37, KeyKnobCcw, 36}, {37, KeyRight, 36},
        {56, KeyKnobCw, 57}, {57, KeyKnobCw, 57}, {57, KeyLeft, 57},    {1, KeyRight, 0},
        {0, KeyRight, 0},    {0, KeyKnobCcw, 0},  {0, KeyLeft, 1},
    };
    uint64_t applied = 0;
    for (uint8_t step : {1, 10}) {
        for (const Case& c : cases) {
            inst.contrast = c.before;
            inst.adjustStep = step;
            Press(ScreenContrast, c.key);
            EXPECT_EQ(inst.contrast, c.after) << int{c.before} << " " << KeyName(c.key);
            EXPECT_EQ(hookCalls[HookApplyContrast], ++applied) << "called at the ends too";
            EXPECT_EQ(inst.currentScreen, ScreenContrast);
        }
    }
    EXPECT_EQ(hookCalls[HookSaveSettings], 0u);
}

TEST_F(ContrastTest, TwentyStepsFromTheDefaultReachTheTop) {
    for (int i = 0; i < 20; ++i) Press(ScreenContrast, KeyKnobCw);
    EXPECT_EQ(inst.contrast, 57);
    Press(ScreenContrast, KeyKnobCw);
    EXPECT_EQ(inst.contrast, 57);
}

TEST_F(ContrastTest, EnterSavesAndGoesBackToAdjContrast) {
    Press(ScreenContrast, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenDisplaySetup);
    EXPECT_EQ(inst.menuItem, 1);
    EXPECT_EQ(hookCalls[HookSaveSettings], 1u);
    EXPECT_EQ(hookCalls[HookApplyContrast], 0u);
}
