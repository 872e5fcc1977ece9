#include <gtest/gtest.h>

#include <string>

#include "core/state.h"
#include "screen_fixture.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"

using MainDisplayTest = ScreenTest;

TEST_F(MainDisplayTest, KeysWithoutAnAlarm) {
    struct Row {
        uint8_t key;
        uint8_t autoDetect;
        ScreenFn to;
        uint32_t qnh;
        uint64_t saves;
    } const rows[] = {
        {KeyEnter, 0, ScreenMainMenu, 1013250, 0},
        {KeyKnobCw, 0, ScreenMain, 1014250, 1},
        {KeyKnobCcw, 0, ScreenMain, 1012250, 1},
        {KeyLeft, 0, ScreenFlightStartStop, 1013250, 0},
        {KeyLeft, 1, ScreenMain, 1013250, 0},
        {KeyRight, 0, ScreenFlightInfo, 1013250, 0},
        {KeyRight, 1, ScreenFlightInfo, 1013250, 0},
        {6, 0, ScreenMain, 1013250, 0},
    };
    for (const Row& r : rows) {
        SetUp();
        inst.flightAutoDetect = r.autoDetect;
        inst.menuItem = 3;
        inst.editMode = 1;
        Press(r.key);
        const std::string what =
            "key " + std::to_string(r.key) + " auto " + std::to_string(r.autoDetect);
        EXPECT_EQ(inst.currentScreen, r.to) << what << " went to " << Name(inst.currentScreen);
        EXPECT_EQ(inst.qnh, r.qnh) << what;
        EXPECT_EQ(Calls(HookSaveSettings), r.saves) << what;
        EXPECT_EQ(inst.pendingKey, 0) << what;
        // The menu and the flight information start on their first row.
        const bool opensList = r.to == ScreenMainMenu || r.to == ScreenFlightInfo;
        EXPECT_EQ(inst.menuItem, opensList ? 0 : 3) << what;
        EXPECT_EQ(inst.editMode, r.to == ScreenMainMenu ? 0 : 1) << what;
    }
}

TEST_F(MainDisplayTest, QnhStepsStopShortOfTheLimits) {
    struct Row {
        uint8_t unit;
        uint32_t from;
        uint8_t key;
        uint32_t to;
    } const rows[] = {
        {0, 1078250, KeyKnobCw, 1079250},
        {0, 1079250, KeyKnobCw, 1079250},
        {0, 942250, KeyKnobCcw, 941250},
        {0, 941250, KeyKnobCcw, 941250},
        {1, 1079836, KeyKnobCw, 1080174},
        {1, 1080174, KeyKnobCw, 1080174},
        {1, 940918, KeyKnobCcw, 940580},
        {1, 940580, KeyKnobCcw, 940580},
        // A mixed value is never rounded to a whole step.
        {0, 1013588, KeyKnobCw, 1014588},
        {1, 1013250, KeyKnobCcw, 1012912},
        // A debugger's value beyond the limits must not wrap around.
        {0, 4294967295u, KeyKnobCw, 4294967295u},
        {0, 500, KeyKnobCcw, 500},
    };
    for (const Row& r : rows) {
        inst.qnhUnit = r.unit;
        inst.qnh = r.from;
        const uint64_t saves = Calls(HookSaveSettings);
        Press(r.key);
        EXPECT_EQ(inst.qnh, r.to) << "unit " << int(r.unit) << " from " << r.from;
        EXPECT_EQ(Calls(HookSaveSettings) - saves, 1u) << "saved also when refused";
    }
}

TEST_F(MainDisplayTest, QnhRangeFromTheDefault) {
    struct Row {
        uint8_t unit;
        uint32_t lowest;
        uint32_t highest;
    } const rows[] = {{0, 941250, 1079250}, {1, 940580, 1080174}};
    for (const Row& r : rows) {
        inst.qnhUnit = r.unit;
        inst.qnh = 1013250;
        for (int i = 0; i < 500; ++i) Press(KeyKnobCw);
        EXPECT_EQ(inst.qnh, r.highest) << "unit " << int(r.unit);
        for (int i = 0; i < 500; ++i) Press(KeyKnobCcw);
        EXPECT_EQ(inst.qnh, r.lowest) << "unit " << int(r.unit);
    }
}

TEST_F(MainDisplayTest, FirstKeyOfARaisedAlarmOnlyAcknowledges) {
    for (uint8_t key = KeyEnter; key <= KeyRight; ++key) {
        SetUp();
        inst.alarmActive = 1;
        inst.alarmAcknowledged = 0;
        Press(key);
        EXPECT_EQ(inst.alarmAcknowledged, 1) << "key " << int(key);
        EXPECT_EQ(inst.currentScreen, ScreenMain) << "key " << int(key);
        EXPECT_EQ(inst.qnh, 1013250u) << "key " << int(key);
        EXPECT_EQ(Calls(HookSaveSettings), 0u) << "key " << int(key);
        EXPECT_EQ(inst.pendingKey, 0);
    }
}

TEST_F(MainDisplayTest, SecondKeyActsAndANewAlarmNeedsANewAcknowledgement) {
    inst.alarmActive = 1;
    Press(KeyEnter);
    ASSERT_EQ(inst.currentScreen, ScreenMain);
    Press(KeyKnobCw);
    EXPECT_EQ(inst.qnh, 1014250u);
    // The condition ends (both cleared together) and comes back.
    inst.alarmActive = 0;
    inst.alarmAcknowledged = 0;
    Press(KeyKnobCw);
    EXPECT_EQ(inst.qnh, 1015250u);
    inst.alarmActive = 1;
    Press(KeyEnter);
    EXPECT_EQ(inst.alarmAcknowledged, 1);
    EXPECT_EQ(inst.currentScreen, ScreenMain);
    Press(KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
}

TEST_F(MainDisplayTest, NoKeyNoAcknowledgement) {
    inst.alarmActive = 1;
    Press(KeyNone);
    EXPECT_EQ(inst.alarmAcknowledged, 0);
}
