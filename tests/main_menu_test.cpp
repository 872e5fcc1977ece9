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

// Thumb rows of the scroll bar, columns 109 to 113, for six and eight items;
// the title rule takes rows 0 to 7 of those columns.
TEST_F(MainMenuTest, ScrollBarThumbFollowsTheItem) {
    struct Row {
        uint8_t box;
        uint8_t item;
        int top;
        int bottom;
    } const rows[] = {
        {1, 0, 8, 15},  {1, 1, 15, 22}, {1, 2, 22, 29}, {1, 3, 29, 36}, {1, 4, 36, 43},
        {1, 5, 43, 50}, {1, 6, 50, 57}, {1, 7, 57, 63}, {0, 0, 8, 17},  {0, 1, 17, 26},
        {0, 2, 26, 35}, {0, 3, 35, 44}, {0, 4, 45, 54}, {0, 5, 54, 63}, {0, 6, 63, 63},
    };
    for (const Row& r : rows) {
        inst.calibrateEnabled = r.box;
        inst.menuItem = r.item;
        Draw();
        const Dots thumb = Box(109, 113, r.top, r.bottom);
        const Dots track = Box(111, 111, 8, 63);
        EXPECT_EQ(DarkIn({109, 113, 8, 63}), Union(thumb, track))
            << "box " << int(r.box) << " item " << int(r.item);
    }
    // Item 7 without the box: the thumb lies below the screen.
    inst.calibrateEnabled = 0;
    inst.menuItem = 7;
    Draw();
    EXPECT_EQ(DarkIn({109, 113, 8, 63}), Box(111, 111, 8, 63));
}

TEST_F(MainMenuTest, LabelBesideTheIcon) {
    inst.calibrateEnabled = 1;
    Draw();
    EXPECT_EQ(DarkIn({36, 108, 8, 63}), Drawn([] {
                  LcdText(57, 18, "EXIT", 1, 1, 0);
                  LcdText(57, 36, "MENU", 1, 1, 0);
              }));
    inst.menuItem = 7;
    Draw();
    EXPECT_EQ(DarkIn({36, 108, 8, 63}), Drawn([] { LcdText(37, 26, "CALIBRATE", 1, 1, 0); }));
    EXPECT_EQ(DarkIn({4, 35, 16, 47}), Drawn([] { DrawIcon(2); }));
}
