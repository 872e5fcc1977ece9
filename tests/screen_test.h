// A fixture for driving one screen by hand: default settings, no hook calls
// counted yet, and a key press that is one call of the screen.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "core/state.h"
#include "fake_host.h"

class ScreenTest : public InstrumentTest {
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
};

// Key names for test tables and failure messages.
constexpr uint8_t kAllKeys[] = {KeyEnter, KeyKnobCw, KeyKnobCcw, KeyLeft, KeyRight};
inline const char* KeyName(uint8_t key) {
    static const char* const names[] = {"none", "enter", "cw", "ccw", "left", "right"};
    return key < 6 ? names[key] : "?";
}
