#include <gtest/gtest.h>

#include <cstring>

#include "core/state.h"
#include "screens/screens.h"
#include "setup_fixture.h"

using LogMenuTest = SetupScreenTest;

TEST_F(LogMenuTest, TheLastRowIsFourWhenManualAndFiveWhenDetecting) {
    inst.flightAutoDetect = 0;
    ExpectCursorMoves(ScreenLogMenu, {{3, KeyKnobCw, 4},
                                      {4, KeyKnobCw, 4},
                                      {4, KeyRight, 4},
                                      {1, KeyLeft, 0},
                                      {0, KeyLeft, 0},
                                      {0, KeyKnobCcw, 0}});
    inst.flightAutoDetect = 1;
    ExpectCursorMoves(ScreenLogMenu,
                      {{4, KeyKnobCw, 5}, {4, KeyRight, 5}, {5, KeyKnobCw, 5}, {5, KeyKnobCcw, 4}});
}

TEST_F(LogMenuTest, EnterActsOnEachRow) {
    inst.menuItem = 0;
    Press(ScreenLogMenu, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 2) << "back on FLIGHT LOG";

    inst.menuItem = 1;
    Press(ScreenLogMenu, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenLogView);
    EXPECT_EQ(inst.menuItem, 0) << "the view opens on page 0";

    inst.menuItem = 2;
    Press(ScreenLogMenu, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenLogErase);
    EXPECT_EQ(inst.menuItem, 2);
    EXPECT_EQ(hookCalls[HookEraseFlightLog], 0u) << "erasing waits for the confirmation";

    inst.flightAutoDetect = 1;
    for (uint8_t row = 3; row <= 5; ++row) ExpectEnterTogglesEdit(ScreenLogMenu, row);
}

TEST_F(LogMenuTest, ViewingDuringAFlightIsRefusedAndAnyKeyComesBack) {
    for (uint8_t key : kAllKeys) {
        inst.inFlight = 1;
        inst.menuItem = 1;
        Press(ScreenLogMenu, KeyEnter);
        EXPECT_EQ(inst.currentScreen, ScreenLogBlocked);
        EXPECT_EQ(inst.returnScreen, ScreenLogMenu);
        EXPECT_EQ(inst.menuItem, 1);
        Press(ScreenLogBlocked, KeyNone);
        EXPECT_EQ(inst.currentScreen, ScreenLogBlocked) << "no key, no change";
        Press(ScreenLogBlocked, key);
        EXPECT_EQ(inst.currentScreen, ScreenLogMenu) << KeyName(key);
        EXPECT_EQ(inst.menuItem, 1) << "back on VIEW LOG";
    }
    inst.inFlight = 0;
    Press(ScreenLogMenu, KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenLogView) << "after the flight the view opens";
    EXPECT_EQ(inst.menuItem, 0);
}

TEST_F(LogMenuTest, SwitchesFlipOnEveryEditKey) {
    ExpectEditKeysFlip(ScreenLogMenu, 3, inst.hourFractDecimal);
    ExpectEditKeysFlip(ScreenLogMenu, 4, inst.flightAutoDetect);
    for (uint8_t row : {0, 1, 2}) {
        Editing(row);
        Press(ScreenLogMenu, KeyKnobCw);
        EXPECT_EQ(inst.menuItem, row) << "editing never moves the cursor";
        EXPECT_EQ(inst.currentScreen, ScreenLogMenu);
    }
}

TEST_F(LogMenuTest, TakeoffSpeedNeverStepsOntoALimit) {
    struct Case {
        uint8_t unit;
        uint8_t step;
        uint8_t key;
        uint32_t before;
        uint32_t after;
    } const cases[] = {
        // mph, step 1
        {0, 1, KeyKnobCcw, 17, 250},
        {0, 1, KeyRight, 17, 250},
        {0, 1, KeyKnobCw, 249, 16},
        {0, 1, KeyLeft, 249, 16},
        {0, 1, KeyKnobCw, 16, 17},
        {0, 1, KeyKnobCcw, 250, 249},
        {0, 1, KeyKnobCw, 30, 31},
        {0, 1, KeyKnobCw, 248, 249},
        // mph, step 10 (KeyFast)
        {0, 10, KeyKnobCcw, 30, 20},
        {0, 10, KeyKnobCcw, 20, 250},
        {0, 10, KeyKnobCcw, 27, 17},
        {0, 10, KeyKnobCcw, 26, 250},
        {0, 10, KeyKnobCw, 240, 16},
        {0, 10, KeyKnobCw, 239, 249},
        {0, 10, KeyKnobCw, 16, 26},
        // km/h and knots
        {1, 1, KeyKnobCw, 401, 26},
        {1, 1, KeyKnobCcw, 27, 402},
        {2, 1, KeyKnobCw, 216, 14},
        {2, 10, KeyRight, 24, 217},
        {2, 10, KeyRight, 25, 15},
    };
    inst.flightAutoDetect = 1;
    for (const auto& c : cases) {
        inst.asiUnit = c.unit;
        inst.adjustStep = c.step;
        Editing(5);
        inst.takeoffSpeed = c.before;
        Press(ScreenLogMenu, c.key);
        EXPECT_EQ(inst.takeoffSpeed, c.after) << "unit " << int{c.unit} << " step " << int{c.step}
                                              << " from " << c.before << " " << KeyName(c.key);
        EXPECT_EQ(inst.menuItem, 5);
    }
}

TEST_F(LogMenuTest, TheTakeoffSequenceOfTheKnob) {
    inst.flightAutoDetect = 1;
    Editing(5);
    inst.takeoffSpeed = 17;
    ExpectPresses<uint32_t>(ScreenLogMenu, KeyKnobCcw, inst.takeoffSpeed, {250, 249, 248});
    inst.adjustStep = 10;
    inst.takeoffSpeed = 30;
    ExpectPresses<uint32_t>(ScreenLogMenu, KeyKnobCcw, inst.takeoffSpeed, {20, 250, 240});
    ExpectPresses<uint32_t>(ScreenLogMenu, KeyKnobCw, inst.takeoffSpeed, {16, 26});
}

// The log page does not clamp: a unit change the airspeed page has not yet
// clamped, or a debugger, can leave the take-off speed outside the limits.
// Stepping from there must never wrap through zero into a huge number.
TEST_F(LogMenuTest, TakeoffSpeedOutsideTheLimitsStepsBackIn) {
    struct Case {
        uint8_t key;
        uint32_t before;
        uint32_t after;
    } const cases[] = {
        {KeyKnobCcw, 5, 217},         {KeyKnobCw, 5, 15},     {KeyKnobCw, 250, 14},
        {KeyKnobCw, 4294967295u, 14}, {KeyKnobCcw, 250, 240},
    };
    inst.flightAutoDetect = 1;
    inst.asiUnit = 2;
    inst.adjustStep = 10;
    for (const auto& c : cases) {
        Editing(5);
        inst.takeoffSpeed = c.before;
        Press(ScreenLogMenu, c.key);
        EXPECT_EQ(inst.takeoffSpeed, c.after) << "from " << c.before << " " << KeyName(c.key);
    }
}

using LogViewTest = SetupScreenTest;

// Page 4, which only a debugger can store, acts as page 3.
TEST_F(LogViewTest, KnobAndKeysTurnWholePagesAndEnterWorksOnPageZeroOnly) {
    struct Case {
        uint8_t page;
        uint8_t key;
        uint8_t to;
        ScreenFn screen;
    } const cases[] = {
        {0, KeyKnobCw, 1, ScreenLogView},  {1, KeyRight, 2, ScreenLogView},
        {2, KeyKnobCw, 3, ScreenLogView},  {3, KeyKnobCw, 3, ScreenLogView},
        {3, KeyRight, 3, ScreenLogView},   {3, KeyKnobCcw, 2, ScreenLogView},
        {1, KeyLeft, 0, ScreenLogView},    {0, KeyLeft, 0, ScreenLogView},
        {0, KeyKnobCcw, 0, ScreenLogView}, {1, KeyEnter, 1, ScreenLogView},
        {2, KeyEnter, 2, ScreenLogView},   {3, KeyEnter, 3, ScreenLogView},
        {0, KeyEnter, 1, ScreenLogMenu},   {4, KeyKnobCw, 4, ScreenLogView},
        {4, KeyKnobCcw, 3, ScreenLogView}, {4, KeyEnter, 4, ScreenLogView},
    };
    for (const auto& c : cases) {
        inst.menuItem = c.page;
        inst.editMode = 1;
        Press(ScreenLogView, c.key);
        EXPECT_EQ(inst.menuItem, c.to) << "page " << int{c.page} << " " << KeyName(c.key);
        EXPECT_EQ(inst.currentScreen, c.screen) << "page " << int{c.page} << " " << KeyName(c.key);
        if (c.screen == ScreenLogMenu) {
            EXPECT_EQ(inst.editMode, 0);
        }
    }
}

using LogEraseTest = SetupScreenTest;

TEST_F(LogEraseTest, LeftErasesEnterAndRightCancelTheKnobDoesNothing) {
    struct Case {
        uint8_t key;
        ScreenFn screen;
        uint64_t erased;
    } const cases[] = {
        {KeyKnobCw, ScreenLogErase, 0},  {KeyKnobCcw, ScreenLogErase, 0},
        {KeyEnter, ScreenLogMenu, 0},    {KeyRight, ScreenLogMenu, 0},
        {KeyLeft, ScreenMessageDone, 1},
    };
    for (const auto& c : cases) {
        std::memset(hookCalls, 0, sizeof hookCalls);
        inst.menuItem = 2;
        inst.returnScreen = nullptr;
        Press(ScreenLogErase, c.key);
        EXPECT_EQ(inst.currentScreen, c.screen) << KeyName(c.key);
        EXPECT_EQ(hookCalls[HookEraseFlightLog], c.erased) << KeyName(c.key);
        EXPECT_EQ(inst.menuItem, 2) << "the log menu comes back on ERASE LOG";
    }
    EXPECT_EQ(inst.returnScreen, ScreenLogMenu);

    // The erase itself puts the cursor on ERASE LOG, wherever it stood.
    inst.menuItem = 0;
    Press(ScreenLogErase, KeyLeft);
    EXPECT_EQ(inst.menuItem, 2);
}

// Through the main loop: the KeyFast box, read on every pass, sets the step.
using LogMenuRunTest = SetupRunTest;

TEST_F(LogMenuRunTest, KeyFastBoxStepsTheTakeoffSpeedByTen) {
    RunEditing(ScreenLogMenu, 5);
    inst.flightAutoDetect = 1;
    host.keyFast = true;
    for (uint32_t want : {20u, 250u, 240u}) {
        Button4Click();
        InstrumentStep();
        EXPECT_EQ(inst.takeoffSpeed, want);
    }
    host.keyFast = false;
    Button4Click();
    InstrumentStep();
    EXPECT_EQ(inst.takeoffSpeed, 239u);
}
