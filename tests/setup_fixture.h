// A fixture for driving one screen by hand: default settings, no hook calls
// counted yet, and a key press that is one call of the screen.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "core/state.h"
#include "fake_host.h"

// Not editing, `key` moves the cursor from row `from` to row `to`.
struct CursorCase {
    uint8_t from;
    uint8_t key;
    uint8_t to;
};

class SetupScreenTest : public InstrumentTest {
protected:
    void SetUp() override {
        InstrumentTest::SetUp();
        LoadDefaultSettings();
        ResetCalibration();
        inst.adjustStep = 1;
        std::memset(hookCalls, 0, sizeof hookCalls);
    }

    // One pass of `screen` as the current screen with `key` pending. Every
    // key, with or without an effect, must be consumed.
    void Press(ScreenFn screen, uint8_t key) {
        inst.currentScreen = screen;
        inst.pendingKey = key;
        screen();
        EXPECT_EQ(inst.pendingKey, KeyNone) << "key " << int{key} << " was not consumed";
    }

    // The cursor on `row`, its value being edited.
    static void Editing(uint8_t row) {
        inst.menuItem = row;
        inst.editMode = 1;
    }

    // Presses `key` once for each entry of `wants`; `field` must read that
    // entry after the press, with the cursor where it was.
    template <typename T>
    void ExpectPresses(ScreenFn screen, uint8_t key, const T& field,
                       std::initializer_list<T> wants) {
        const uint8_t row = inst.menuItem;
        for (const T& want : wants) {
            Press(screen, key);
            EXPECT_EQ(field, want) << "key " << int{key};
            EXPECT_EQ(inst.menuItem, row);
        }
    }

    // Each case from its row, not editing; the screen stays current.
    void ExpectCursorMoves(ScreenFn screen, std::initializer_list<CursorCase> cases) {
        for (const CursorCase& c : cases) {
            inst.menuItem = c.from;
            inst.editMode = 0;
            Press(screen, c.key);
            EXPECT_EQ(inst.menuItem, c.to) << "row " << int{c.from} << " key " << int{c.key};
            EXPECT_EQ(inst.editMode, 0);
            EXPECT_EQ(inst.currentScreen, screen);
        }
    }

    // KeyEnter on `row` starts editing its value, a second one stops, and
    // neither leaves the row or the screen.
    void ExpectEnterTogglesEdit(ScreenFn screen, uint8_t row) {
        inst.menuItem = row;
        inst.editMode = 0;
        for (uint8_t want : {1, 0}) {
            Press(screen, KeyEnter);
            EXPECT_EQ(inst.editMode, want) << "row " << int{row};
            EXPECT_EQ(inst.menuItem, row);
            EXPECT_EQ(inst.currentScreen, screen);
        }
    }

    // Each of the four edit keys flips the switch on `row`, 0 to 1 and back.
    void ExpectEditKeysFlip(ScreenFn screen, uint8_t row, uint8_t& field) {
        for (uint8_t key : {KeyKnobCw, KeyKnobCcw, KeyLeft, KeyRight}) {
            Editing(row);
            field = 0;
            ExpectPresses<uint8_t>(screen, key, field, {1, 0});
        }
    }
};

// Key names for test tables and failure messages.
constexpr uint8_t kAllKeys[] = {KeyEnter, KeyKnobCw, KeyKnobCcw, KeyLeft, KeyRight};
inline const char* KeyName(uint8_t key) {
    static const char* const names[] = {"none", "enter", "cw", "ccw", "left", "right"};
    return key < 6 ? names[key] : "?";
}

// The instrument running its main loop, for checks of what the loop feeds a
// screen: the KeyFast box, the order of passes.
class SetupRunTest : public InstrumentTest {
protected:
    // Powered on, first pass run, `screen` current with `row` being edited.
    void RunEditing(ScreenFn screen, uint8_t row) {
        PowerOnThroughSplash();
        InstrumentStep();
        inst.menuItem = row;
        inst.editMode = 1;
        inst.currentScreen = screen;
    }
};
