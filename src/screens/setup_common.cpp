#include "screens/setup_common.h"

#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"

SpeedLimits SpeedLimitsOf(uint8_t asiUnit) {
    switch (asiUnit) {
    case 1: return {26, 402};
    case 2: return {14, 217};
    default: return {16, 250};
    }
}

// The comparisons are arranged so that no sum or difference wraps, even for a
// speed that a unit change has left outside the limits.
uint32_t AlarmSpeedUp(uint32_t speed, uint32_t step, SpeedLimits limits) {
    if (speed > limits.highest || limits.highest - speed < step) return limits.lowest;
    return speed + step;
}

uint32_t AlarmSpeedDown(uint32_t speed, uint32_t step, SpeedLimits limits) {
    if (speed < limits.lowest + step) return limits.highest;
    return speed - step;
}

uint32_t TakeoffSpeedUp(uint32_t speed, uint32_t step, SpeedLimits limits) {
    if (speed >= limits.highest || limits.highest - speed <= step) return limits.lowest;
    return speed + step;
}

uint32_t TakeoffSpeedDown(uint32_t speed, uint32_t step, SpeedLimits limits) {
    if (speed <= limits.lowest + step) return limits.highest;
    return speed - step;
}

uint8_t Flipped(uint8_t value) { return value == 0 ? 1 : 0; }

uint8_t NextOfThree(uint8_t value) { return value < 2 ? static_cast<uint8_t>(value + 1) : 0; }

uint8_t PreviousOfThree(uint8_t value) { return value > 0 ? static_cast<uint8_t>(value - 1) : 2; }

void ReturnToMainMenu(uint8_t item) {
    inst.menuItem = item;
    inst.currentScreen = ScreenMainMenu;
    inst.editMode = 0;
}

void DrawDoneRow() { LcdTextCentredConst(57, 8, "*** DONE ***", 0, 1, inst.menuItem == 0 ? 1 : 0); }

void HandleListKey(uint8_t lastRow, void (*enter)(), void (*change)(bool up)) {
    const uint8_t key = inst.pendingKey;
    if (inst.editMode == 0) {
        if (key == KeyEnter)
            enter();
        else
            MoveListCursor(key, lastRow);
    } else if (key == KeyEnter) {
        inst.editMode = 0;
    } else if (const int8_t step = ValueStep(key); step != 0) {
        change(step > 0);
    }
    inst.pendingKey = KeyNone;
}
