// A fixture for screen tests: the default settings, the main display current,
// and keys handed straight to a screen as the main loop would.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "core/state.h"
#include "fake_host.h"
#include "lcd/lcd.h"
#include "screens/screens.h"

class ScreenTest : public InstrumentTest {
protected:
    void SetUp() override {
        InstrumentTest::SetUp();
        LoadDefaultSettings();
        inst.asiCalPercent = 100;
        inst.currentScreen = ScreenMain;
        std::memcpy(hooksBefore, hookCalls, sizeof hookCalls);
    }

    // One pass of the current screen with key pending, on a cleared frame.
    void Press(uint8_t key) {
        inst.pendingKey = key;
        Draw();
    }
    void Draw() {
        LcdClear();
        inst.currentScreen();
    }

    // Calls of a hook since SetUp.
    uint64_t Calls(HookId hook) const { return hookCalls[hook] - hooksBefore[hook]; }

private:
    uint64_t hooksBefore[kHookCount] = {};
};

// Readable names of the screens in failure messages.
inline const char* Name(ScreenFn fn) {
    const char* name = NameOfScreen(fn);
    return name != nullptr ? name : "(none)";
}
