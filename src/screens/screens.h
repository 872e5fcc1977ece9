// Every screen of the instrument, and their names for the runner.
#pragma once

#include <cstdint>

#include "core/state.h"

// Main flight display and flight screens.
void DrawMainDisplay();
void ScreenMain();
void ScreenFlightStartStop();
void ScreenFlightInfo();
void ScreenMaxValues();

// Dispatcher and menus.
void ScreenMessageDone();
void ScreenMainMenu();
void ScreenAsiSetup();
void ScreenZeroAsiConfirm();
void ClampAsiLimits();
void ScreenAltSetup();
void ScreenDisplaySetup();
void ScreenContrast();
void ScreenLogMenu();
void ScreenLogView();
void ScreenLogErase();
void ScreenLogBlocked();
void DrawLogEntry(uint8_t index, uint8_t top, uint8_t first);
void ScreenCalibrate();
void ScreenAdcValues();

struct ScreenName {
    const char* name;
    ScreenFn fn;
};
extern const ScreenName kScreenNames[];
extern const int kScreenNameCount;

// nullptr for an unknown name.
ScreenFn ScreenByName(const char* name);
// nullptr when fn is empty or not a known screen.
const char* NameOfScreen(ScreenFn fn);
