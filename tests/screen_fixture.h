// A fixture for screen tests: the default settings, the main display current,
// and keys handed straight to a screen as the main loop would.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "core/state.h"
#include "fake_host.h"
#include "lcd/lcd.h"
#include "lcd_dots.h"
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

// A rectangle of the screen, both ends inclusive.
struct Area {
    int x0, x1, y0, y1;
};

inline bool Inside(const Area& a, int x, int y) {
    return x >= a.x0 && x <= a.x1 && y >= a.y0 && y <= a.y1;
}

// The dark dots of the present frame inside an area.
inline Dots DarkIn(const Area& a) {
    Dots in;
    for (auto [x, y] : DarkDots())
        if (Inside(a, x, y)) in.insert({x, y});
    return in;
}

// The dots that draw() makes on a blank frame; the present frame is kept.
template <typename Draw>
Dots Drawn(Draw draw) {
    uint8_t saved[kFrameBytes];
    std::memcpy(saved, inst.frameBuffer, sizeof saved);
    LcdClear();
    draw();
    const Dots dots = DarkDots();
    std::memcpy(inst.frameBuffer, saved, sizeof saved);
    return dots;
}
