#include "core/state.h"

#include <cstring>

#include "core/sequence.h"

InstrumentState inst;

const char* const kHookNames[kHookCount] = {
    "SaveSettings",  "MaxValuesResetHook", "EraseFlightLog", "WriteFlightLog", "ApplyContrast",
    "BacklightOn",   "BacklightOff",       "AlarmOutputOn",  "AlarmOutputOff",
};

uint64_t hookCalls[kHookCount];

void LoadDefaultSettings() {
    inst.contrast = 37;
    ApplyContrast();
    inst.backlight = 1;
    BacklightOn();
    inst.qnh = 1013250;
    inst.altUnit = 0;
    inst.qnhUnit = 0;
    inst.asiTas = 0;
    inst.lowAlarmSpeed = 30;
    inst.lowAlarmOn = 1;
    inst.highAlarmSpeed = 80;
    inst.highAlarmOn = 1;
    inst.asiFilter = 1;
    inst.asiUnit = 0;
    inst.distZeroAuto = 0;
    inst.hourFractDecimal = 0;
    inst.takeoffSpeed = 30;
    inst.flightAutoDetect = 0;
    inst.altitudeOnTop = 0;
    EraseFlightLog();
    ResetAirDistance();
}

void ResetCalibration() {
    inst.altCalOffset = 0;
    inst.asiCalPercent = 100;
    inst.asiZero = 0;
    SaveSettings();
}

// Maxima restart from the present values, not from zero.
void ResetMaxValues() {
    inst.maxAirspeed = inst.airspeed;
    inst.maxAltitude = inst.altitude;
    MaxValuesResetHook();
}

void ResetAirDistance() { inst.distanceSum = 0; }

// On the desktop the hooks only leave a trace; the settings live in memory.
void SaveSettings() { ++hookCalls[HookSaveSettings]; }
void MaxValuesResetHook() { ++hookCalls[HookMaxValuesReset]; }
void EraseFlightLog() { ++hookCalls[HookEraseFlightLog]; }
void WriteFlightLog() {
    ++hookCalls[HookWriteFlightLog];
    inst.logPending = 0;
}
void ApplyContrast() { ++hookCalls[HookApplyContrast]; }
void BacklightOn() { ++hookCalls[HookBacklightOn]; }
void BacklightOff() { ++hookCalls[HookBacklightOff]; }
void AlarmOutputOn() { ++hookCalls[HookAlarmOutputOn]; }
void AlarmOutputOff() { ++hookCalls[HookAlarmOutputOff]; }

void ResetProgram() {
    std::memset(&inst, 0, sizeof inst);
    inst.currentScreen = nullptr;
    inst.returnScreen = nullptr;
    std::memset(hookCalls, 0, sizeof hookCalls);
    ResetSequence();
}
