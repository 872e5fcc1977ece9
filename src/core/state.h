// The instrument's one state record, its resets and its hardware hooks.
#pragma once

#include <cstddef>
#include <cstdint>

// A screen draws one whole frame and then handles pendingKey.
using ScreenFn = void (*)();

// Pixel mode of the drawing routines: 0 clear, 1 set, 2 toggle, others no-op.
using DrawMode = uint8_t;

enum KeyCode : uint8_t {
    KeyNone = 0,
    KeyEnter = 1,
    KeyKnobCw = 2,
    KeyKnobCcw = 3,
    KeyLeft = 4,
    KeyRight = 5,
};

constexpr int kLcdWidth = 114;
constexpr int kLcdHeight = 64;
constexpr int kFrameBytes = kLcdWidth * kLcdHeight / 8;  // 912

// Field order and widths are those of the instrument firmware; the runner
// dumps them in this order.
struct InstrumentState {
    uint8_t menuItem;
    uint8_t editMode;
    uint8_t logHours[24];
    uint8_t logMinutes[24];
    uint8_t frameBuffer[kFrameBytes];
    uint8_t pendingKey;
    uint8_t adjustStep;
    uint32_t altAdc;
    uint32_t asiAdc;
    uint32_t airspeed;
    uint32_t maxAirspeed;
    uint32_t distanceSum;
    uint32_t asiFilterAcc;
    uint32_t pressure;
    int32_t altitude;
    int32_t altitudeFt;
    int32_t maxAltitude;
    int32_t altFilterAcc;
    int32_t asiAdcInput;
    int32_t altAdcInput;
    uint8_t contrast;
    uint8_t backlight;
    uint32_t takeoffSpeed;
    uint8_t altUnit;
    uint8_t qnhUnit;
    uint8_t asiTas;
    uint32_t lowAlarmSpeed;
    uint8_t lowAlarmOn;
    uint32_t highAlarmSpeed;
    uint8_t highAlarmOn;
    uint8_t asiFilter;
    uint8_t asiUnit;
    uint8_t distZeroAuto;
    uint8_t hourFractDecimal;
    uint8_t flightAutoDetect;
    uint8_t asiCalPercent;
    int8_t altCalOffset;
    uint32_t asiZero;
    uint32_t qnh;
    uint8_t altitudeOnTop;
    ScreenFn currentScreen;
    ScreenFn returnScreen;
    uint8_t menuTimeout;
    uint8_t slowTickCount;
    uint8_t blinkPhase;
    uint8_t blinkCount;
    uint8_t slowTick;
    uint8_t alarmActive;
    uint8_t calibrateEnabled;
    uint8_t alarmAcknowledged;
    uint8_t flightPassCount;
    uint8_t flightHours;
    uint8_t flightMinutes;
    uint8_t logMinuteCount;
    uint8_t logPending;
    uint8_t inFlight;
    uint8_t flightLogged;
    uint8_t landingCountdown;
    uint8_t logIndex;
    char commLine[50];
    uint8_t powerOffRequest;
};

// The one instance, zero-filled at program start.
extern InstrumentState inst;

void LoadDefaultSettings();
void ResetCalibration();
void ResetMaxValues();
void ResetAirDistance();

// Hooks: where the hardware would drive its outputs or settings store.
void SaveSettings();
void MaxValuesResetHook();
void EraseFlightLog();
void WriteFlightLog();
void ApplyContrast();
void BacklightOn();
void BacklightOff();
void AlarmOutputOn();
void AlarmOutputOff();

// Hook calls since program start: the trace a firmware person checks.
enum HookId : uint8_t {
    HookSaveSettings,
    HookMaxValuesReset,
    HookEraseFlightLog,
    HookWriteFlightLog,
    HookApplyContrast,
    HookBacklightOn,
    HookBacklightOff,
    HookAlarmOutputOn,
    HookAlarmOutputOff,
    kHookCount,
};
extern const char* const kHookNames[kHookCount];
extern uint64_t hookCalls[kHookCount];

// Program start as the process sees it: every field 0, no hook calls.
// Tests and the runner use it to begin from a clean slate.
void ResetProgram();
