#include <gtest/gtest.h>

#include "core/state.h"
#include "screens/screens.h"
#include "setup_fixture.h"

using AsiSetupTest = SetupScreenTest;

TEST_F(AsiSetupTest, CursorKeysMoveThroughElevenRowsWithoutWrapping) {
    ExpectCursorMoves(ScreenAsiSetup, {{0, KeyKnobCw, 1},
                                       {0, KeyRight, 1},
                                       {6, KeyKnobCw, 7},
                                       {9, KeyRight, 10},
                                       {10, KeyKnobCw, 10},
                                       {10, KeyRight, 10},
                                       {10, KeyKnobCcw, 9},
                                       {7, KeyLeft, 6},
                                       {1, KeyKnobCcw, 0},
                                       {0, KeyKnobCcw, 0},
                                       {0, KeyLeft, 0}});
}

TEST_F(AsiSetupTest, EnterLeavesOpensTheZeroOrEditsByRow) {
    inst.menuItem = 0;
    Press(ScreenAsiSetup, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 5) << "back on AIRSPEED SETUP";
    EXPECT_EQ(inst.editMode, 0);

    inst.menuItem = 1;
    Press(ScreenAsiSetup, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenZeroAsiConfirm);
    EXPECT_EQ(inst.menuItem, 1);
    EXPECT_EQ(inst.editMode, 0);

    for (uint8_t row = 2; row <= 10; ++row) ExpectEnterTogglesEdit(ScreenAsiSetup, row);
    EXPECT_EQ(hookCalls[HookSaveSettings], 0u) << "the setup page leaves storing to EXIT MENU";
}

namespace {
struct ValueCase {
    uint8_t row;
    uint8_t key;
    uint8_t step;
    uint32_t before;
    uint32_t after;
};

// The field each row edits, widened for the table.
uint32_t& Speed(uint8_t row) { return row == 3 ? inst.lowAlarmSpeed : inst.highAlarmSpeed; }
}  // namespace

TEST_F(AsiSetupTest, AlarmSpeedsStepByAdjustStepAndWrapOnlyPastALimit) {
    const ValueCase cases[] = {
        // mph, step 1: a step may land on a limit; past it jumps to the other end.
        {3, KeyKnobCw, 1, 30, 31},
        {3, KeyLeft, 1, 30, 31},
        {3, KeyKnobCcw, 1, 30, 29},
        {3, KeyRight, 1, 30, 29},
        {3, KeyKnobCcw, 1, 17, 16},
        {3, KeyKnobCcw, 1, 16, 250},
        {3, KeyKnobCw, 1, 249, 250},
        {5, KeyKnobCw, 1, 250, 16},
        {5, KeyRight, 1, 16, 250},
        // step 10 (KeyFast)
        {5, KeyKnobCw, 10, 80, 90},
        {5, KeyLeft, 10, 240, 250},
        {5, KeyKnobCw, 10, 245, 16},
        {5, KeyKnobCw, 10, 250, 16},
        {3, KeyKnobCcw, 10, 26, 16},
        {3, KeyKnobCcw, 10, 20, 250},
        {3, KeyRight, 10, 25, 250},
        {3, KeyRight, 10, 16, 250},
    };
    for (const ValueCase& c : cases) {
        Editing(c.row);
        inst.adjustStep = c.step;
        Speed(c.row) = c.before;
        Press(ScreenAsiSetup, c.key);
        EXPECT_EQ(Speed(c.row), c.after) << "row " << int{c.row} << " from " << c.before << " key "
                                         << KeyName(c.key) << " step " << int{c.step};
        EXPECT_EQ(inst.menuItem, c.row) << "editing never moves the cursor";
        EXPECT_EQ(inst.editMode, 1);
    }
}

TEST_F(AsiSetupTest, AlarmSpeedLimitsFollowTheUnit) {
    struct Case {
        uint8_t unit;
        uint8_t key;
        uint32_t before;
        uint32_t after;
    } const cases[] = {
        {1, KeyKnobCw, 401, 402}, {1, KeyKnobCw, 402, 26},  {1, KeyKnobCcw, 26, 402},
        {2, KeyKnobCw, 217, 14},  {2, KeyKnobCcw, 14, 217}, {2, KeyKnobCcw, 15, 14},
    };
    for (const Case& c : cases) {
        inst.asiUnit = c.unit;
        Editing(5);
        inst.highAlarmSpeed = c.before;
        Press(ScreenAsiSetup, c.key);
        EXPECT_EQ(inst.highAlarmSpeed, c.after) << "unit " << int{c.unit} << " from " << c.before;
    }
}

TEST_F(AsiSetupTest, SwitchesFlipOnEveryEditKeyAndChoicesGoRound) {
    struct Case {
        uint8_t row;
        uint8_t* field;
        uint8_t before;
        uint8_t key;
        uint8_t after;
    } const cases[] = {
        {2, &inst.asiTas, 0, KeyKnobCw, 1},        {2, &inst.asiTas, 1, KeyRight, 0},
        {2, &inst.asiTas, 7, KeyLeft, 0},          {4, &inst.lowAlarmOn, 1, KeyKnobCcw, 0},
        {4, &inst.lowAlarmOn, 0, KeyLeft, 1},      {6, &inst.highAlarmOn, 1, KeyRight, 0},
        {6, &inst.highAlarmOn, 0, KeyKnobCw, 1},   {8, &inst.asiFilter, 0, KeyKnobCw, 1},
        {8, &inst.asiFilter, 2, KeyLeft, 0},       {8, &inst.asiFilter, 0, KeyKnobCcw, 2},
        {8, &inst.asiFilter, 2, KeyRight, 1},      {9, &inst.distZeroAuto, 0, KeyKnobCw, 1},
        {9, &inst.distZeroAuto, 1, KeyKnobCcw, 0}, {10, &inst.altitudeOnTop, 0, KeyLeft, 1},
        {10, &inst.altitudeOnTop, 1, KeyRight, 0},
    };
    for (uint8_t step : {1, 10}) {
        for (const Case& c : cases) {
            Editing(c.row);
            inst.adjustStep = step;
            *c.field = c.before;
            Press(ScreenAsiSetup, c.key);
            EXPECT_EQ(*c.field, c.after) << "row " << int{c.row} << " from " << int{c.before}
                                         << " key " << KeyName(c.key) << " step " << int{step};
            EXPECT_EQ(inst.menuItem, c.row);
        }
    }
    EXPECT_EQ(hookCalls[HookMaxValuesReset], 0u) << "only the unit row resets the maxima";
}

TEST_F(AsiSetupTest, EditKeysOnTheDoneAndZeroRowsDoNothing) {
    for (uint8_t row : {0, 1}) {
        for (uint8_t key : {KeyKnobCw, KeyKnobCcw, KeyLeft, KeyRight}) {
            Editing(row);
            Press(ScreenAsiSetup, key);
            EXPECT_EQ(inst.menuItem, row);
            EXPECT_EQ(inst.currentScreen, ScreenAsiSetup);
            EXPECT_EQ(inst.asiZero, 0u);
        }
    }
}

TEST_F(AsiSetupTest, UnitStepsOneAtATimeWhateverTheStepAndResetsTheMaxima) {
    inst.adjustStep = 10;
    Editing(7);
    inst.airspeed = 57;
    inst.altitude = 1200;
    inst.maxAirspeed = 180;
    inst.maxAltitude = 9000;
    ExpectPresses<uint8_t>(ScreenAsiSetup, KeyKnobCw, inst.asiUnit, {1, 2, 0});
    ExpectPresses<uint8_t>(ScreenAsiSetup, KeyRight, inst.asiUnit, {2, 1, 0});
    EXPECT_EQ(hookCalls[HookMaxValuesReset], 6u);
    EXPECT_EQ(inst.maxAirspeed, 57u) << "the maxima restart from the present values";
    EXPECT_EQ(inst.maxAltitude, 1200);
}

TEST_F(AsiSetupTest, SpeedsKeepTheirNumberAndAreClampedOnTheNextPass) {
    inst.highAlarmSpeed = 250;
    inst.lowAlarmSpeed = 30;
    inst.takeoffSpeed = 240;
    Editing(7);
    Press(ScreenAsiSetup, KeyKnobCcw);  // mph to knots
    ASSERT_EQ(inst.asiUnit, 2);
    EXPECT_EQ(inst.highAlarmSpeed, 250u) << "the new limits apply from the next pass";
    Press(ScreenAsiSetup, KeyNone);
    EXPECT_EQ(inst.highAlarmSpeed, 217u);
    EXPECT_EQ(inst.lowAlarmSpeed, 30u);
    EXPECT_EQ(inst.takeoffSpeed, 217u);

    Press(ScreenAsiSetup, KeyLeft);  // knots to mph
    Press(ScreenAsiSetup, KeyNone);
    ASSERT_EQ(inst.asiUnit, 0);
    EXPECT_EQ(inst.highAlarmSpeed, 217u) << "217 knots stays 217, now mph";
}

TEST_F(AsiSetupTest, ClampHoldsEachSpeedInTheUnitLimitsAndNothingElse) {
    struct Case {
        uint8_t unit;
        uint32_t high, low, takeoff;
        uint32_t wantHigh, wantLow, wantTakeoff;
    } const cases[] = {
        {0, 251, 15, 4294967295u, 250, 16, 250},
        {1, 16, 403, 30, 26, 402, 30},
        {2, 0, 300, 14, 14, 217, 14},
        // The low alarm may lie above the high one.
        {0, 40, 200, 30, 40, 200, 30},
    };
    for (const Case& c : cases) {
        inst.asiUnit = c.unit;
        inst.highAlarmSpeed = c.high;
        inst.lowAlarmSpeed = c.low;
        inst.takeoffSpeed = c.takeoff;
        ClampAsiLimits();
        EXPECT_EQ(inst.highAlarmSpeed, c.wantHigh) << "unit " << int{c.unit};
        EXPECT_EQ(inst.lowAlarmSpeed, c.wantLow) << "unit " << int{c.unit};
        EXPECT_EQ(inst.takeoffSpeed, c.wantTakeoff) << "unit " << int{c.unit};
    }
}

TEST_F(AsiSetupTest, OnlyTheLeftKeyZeroesTheSensor) {
    for (uint8_t key : {KeyEnter, KeyKnobCw, KeyKnobCcw, KeyRight}) {
        inst.menuItem = 1;
        inst.asiAdc = 412;
        Press(ScreenZeroAsiConfirm, key);
        EXPECT_EQ(inst.currentScreen, ScreenAsiSetup) << KeyName(key);
        EXPECT_EQ(inst.asiZero, 0u) << KeyName(key);
        EXPECT_EQ(inst.menuItem, 1);
    }
    EXPECT_EQ(hookCalls[HookSaveSettings], 0u);

    inst.asiAdc = 412;
    Press(ScreenZeroAsiConfirm, KeyLeft);
    EXPECT_EQ(inst.asiZero, 412u);
    EXPECT_EQ(hookCalls[HookSaveSettings], 1u);
    EXPECT_EQ(inst.returnScreen, ScreenAsiSetup);
    EXPECT_EQ(inst.currentScreen, ScreenMessageDone);
    EXPECT_EQ(inst.menuItem, 1) << "back on ZERO ASI after the message";
}

// Through the main loop, with the speeds clamped by the page's next pass.
using AsiSetupRunTest = SetupRunTest;

TEST_F(AsiSetupRunTest, KnotsClampTheHighAlarmOnThePassAfterTheKey) {
    RunEditing(ScreenAsiSetup, 7);
    inst.highAlarmSpeed = 250;
    Button3Click();
    InstrumentStep();  // mph to km/h: 250 is inside 26 to 402
    EXPECT_EQ(inst.asiUnit, 1);
    InstrumentStep();
    EXPECT_EQ(inst.highAlarmSpeed, 250u);
    Button3Click();
    InstrumentStep();  // km/h to knots
    EXPECT_EQ(inst.asiUnit, 2);
    EXPECT_EQ(inst.highAlarmSpeed, 250u);
    InstrumentStep();
    EXPECT_EQ(inst.highAlarmSpeed, 217u);
    EXPECT_EQ(inst.lowAlarmSpeed, 30u);
}
