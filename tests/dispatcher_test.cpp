#include "screens/dispatcher.h"

#include <gtest/gtest.h>

#include "core/state.h"
#include "screen_fixture.h"
#include "screens/screens.h"

using DispatcherTest = ScreenTest;

TEST(KeyMeaning, ListAndValueDirectionsDifferForTheSideKeys) {
    struct Row {
        uint8_t key;
        int8_t list;
        int8_t value;
    } const rows[] = {
        {KeyNone, 0, 0},  {KeyEnter, 0, 0},  {KeyKnobCw, 1, 1}, {KeyKnobCcw, -1, -1},
        {KeyLeft, -1, 1}, {KeyRight, 1, -1}, {6, 0, 0},         {255, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ListStep(r.key), r.list) << "key " << int(r.key);
        EXPECT_EQ(ValueStep(r.key), r.value) << "key " << int(r.key);
    }
}

TEST_F(DispatcherTest, ListCursorStopsAtBothEnds) {
    struct Row {
        uint8_t from;
        uint8_t key;
        uint8_t lastRow;
        uint8_t to;
    } const rows[] = {
        {0, KeyKnobCw, 5, 1},  {4, KeyRight, 5, 5}, {5, KeyKnobCw, 5, 5},     {5, KeyRight, 5, 5},
        {0, KeyKnobCcw, 5, 0}, {0, KeyLeft, 5, 0},  {3, KeyLeft, 5, 2},       {7, KeyKnobCw, 5, 7},
        {7, KeyKnobCcw, 5, 6}, {2, KeyEnter, 5, 2}, {255, KeyKnobCw, 7, 255}, {0, KeyKnobCw, 0, 0},
    };
    for (const Row& r : rows) {
        inst.menuItem = r.from;
        MoveListCursor(r.key, r.lastRow);
        EXPECT_EQ(inst.menuItem, r.to) << "from " << int(r.from) << " key " << int(r.key);
    }
}

TEST_F(DispatcherTest, DoneMessageReturnsOnAnyKeyWithTheCursorKept) {
    for (uint8_t key = KeyEnter; key <= KeyRight; ++key) {
        inst.currentScreen = ScreenMessageDone;
        inst.returnScreen = ScreenLogMenu;
        inst.menuItem = 2;
        inst.editMode = 1;
        Press(key);
        EXPECT_EQ(inst.currentScreen, ScreenLogMenu) << "key " << int(key);
        EXPECT_EQ(inst.menuItem, 2);
        EXPECT_EQ(inst.editMode, 1);
        EXPECT_EQ(inst.pendingKey, 0);
    }
}

TEST_F(DispatcherTest, DoneMessageWaitsForAKeyAndConsumesUnknownCodes) {
    inst.currentScreen = ScreenMessageDone;
    inst.returnScreen = ScreenAsiSetup;
    Press(KeyNone);
    EXPECT_EQ(inst.currentScreen, ScreenMessageDone);
    Press(6);
    EXPECT_EQ(inst.currentScreen, ScreenMessageDone);
    EXPECT_EQ(inst.pendingKey, 0);
}

// The message and the refusal never leave the LCD without a screen.
TEST_F(DispatcherTest, ScreensThatGoBackGoHomeWithoutAReturnScreen) {
    for (ScreenFn screen : {ScreenMessageDone, ScreenLogBlocked}) {
        inst.currentScreen = screen;
        inst.returnScreen = nullptr;
        Press(KeyEnter);
        EXPECT_EQ(inst.currentScreen, ScreenMain) << NameOfScreen(screen);
    }
}

// Every screen consumes every key, also one it has no action for, so that no
// key carries over to the next screen.
TEST_F(DispatcherTest, EveryScreenConsumesEveryKey) {
    for (int i = 0; i < kScreenNameCount; ++i) {
        for (uint8_t key = KeyEnter; key <= 6; ++key) {
            LoadDefaultSettings();
            inst.menuItem = 0;
            inst.editMode = 0;
            inst.returnScreen = ScreenMain;
            inst.currentScreen = kScreenNames[i].fn;
            Press(key);
            EXPECT_EQ(inst.pendingKey, 0) << kScreenNames[i].name << " key " << int(key);
        }
    }
}

TEST(ScreenNames, EveryNameFindsItsScreenAndBack) {
    for (int i = 0; i < kScreenNameCount; ++i) {
        EXPECT_EQ(ScreenByName(kScreenNames[i].name), kScreenNames[i].fn);
        EXPECT_STREQ(NameOfScreen(kScreenNames[i].fn), kScreenNames[i].name);
    }
    EXPECT_EQ(ScreenByName("ScreenNowhere"), nullptr);
    EXPECT_EQ(NameOfScreen(nullptr), nullptr);
    EXPECT_EQ(NameOfScreen(DrawMainDisplay), nullptr);
}
