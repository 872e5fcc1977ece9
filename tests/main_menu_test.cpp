#include <gtest/gtest.h>

#include "core/state.h"
#include "screen_fixture.h"
#include "screens/screens.h"

class MainMenuTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        inst.currentScreen = ScreenMainMenu;
        inst.menuItem = 0;
    }
    // Turns the knob clockwise n times.
    void Next(int n) {
        for (int i = 0; i < n; ++i) Press(KeyKnobCw);
    }
};

TEST_F(MainMenuTest, NextItemStopsAtTheLastItemOfTheBox) {
    for (uint8_t box : {0, 1, 2}) {
        inst.calibrateEnabled = box;
        for (uint8_t key : {KeyKnobCw, KeyRight}) {
            inst.menuItem = 0;
            for (int i = 0; i < 10; ++i) Press(key);
            EXPECT_EQ(inst.menuItem, box == 1 ? 7 : 5) << "box " << int(box) << " key " << int(key);
            EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
        }
    }
}

TEST_F(MainMenuTest, PreviousItemStopsAtExit) {
    inst.calibrateEnabled = 1;
    for (uint8_t key : {KeyKnobCcw, KeyLeft}) {
        inst.menuItem = 7;
        for (int i = 0; i < 10; ++i) Press(key);
        EXPECT_EQ(inst.menuItem, 0) << "key " << int(key);
    }
}

TEST_F(MainMenuTest, ClearingTheBoxLeavesAServiceItemShownAndOpenable) {
    inst.calibrateEnabled = 1;
    Next(7);
    inst.calibrateEnabled = 0;
    Press(KeyKnobCw);
    EXPECT_EQ(inst.menuItem, 7);
    Press(KeyLeft);
    EXPECT_EQ(inst.menuItem, 6);
    Press(KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenAdcValues);
}

TEST_F(MainMenuTest, EnterOpensTheItemsScreenOnItsFirstRow) {
    const ScreenFn opens[] = {ScreenMain,     ScreenMaxValues, ScreenLogMenu,   ScreenDisplaySetup,
                              ScreenAltSetup, ScreenAsiSetup,  ScreenAdcValues, ScreenCalibrate};
    inst.calibrateEnabled = 1;
    for (uint8_t item = 0; item < 8; ++item) {
        inst.currentScreen = ScreenMainMenu;
        inst.menuItem = item;
        inst.editMode = 1;
        const uint64_t saves = Calls(HookSaveSettings);
        Press(KeyEnter);
        EXPECT_EQ(inst.currentScreen, opens[item]) << "item " << int(item);
        EXPECT_EQ(inst.menuItem, 0);
        EXPECT_EQ(inst.editMode, 0);
        // Only EXIT MENU hands the settings to the store.
        EXPECT_EQ(Calls(HookSaveSettings) - saves, item == 0 ? 1u : 0u) << "item " << int(item);
    }
}

TEST_F(MainMenuTest, EnterOnAnItemBeyondTheTableOpensNothing) {
    inst.menuItem = 9;
    Press(KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 0);
    EXPECT_EQ(Calls(HookSaveSettings), 0u);
}

TEST_F(MainMenuTest, MaxValuesDoneComesBackToItsItem) {
    Next(1);
    Press(KeyEnter);
    ASSERT_EQ(inst.currentScreen, ScreenMaxValues);
    Press(KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
    EXPECT_EQ(inst.menuItem, 1);
    Press(KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMaxValues);
    EXPECT_EQ(inst.menuItem, 0);
}
