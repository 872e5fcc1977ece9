// The airspeed page: eleven rows, seven visible, and the sensor zero.
#include <cstdio>

#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"
#include "screens/setup_common.h"

namespace {

constexpr uint8_t kAsiLastRow = 10;

void EnterAsiRow() {
    if (inst.menuItem == 0) {
        ReturnToMainMenu(5);
    } else if (inst.menuItem == 1) {
        inst.currentScreen = ScreenZeroAsiConfirm;
    } else if (inst.menuItem <= kAsiLastRow) {
        inst.editMode = 1;
    }
}

// A key changes either the unit or a speed, never both, so the limits read
// here are those the pass started with.
void StepAlarmSpeed(uint32_t& speed, bool up) {
    const SpeedLimits limits = SpeedLimitsOf(inst.asiUnit);
    speed = up ? AlarmSpeedUp(speed, inst.adjustStep, limits)
               : AlarmSpeedDown(speed, inst.adjustStep, limits);
}

void ChangeAsiValue(bool up) {
    switch (inst.menuItem) {
    case 2: inst.asiTas = Flipped(inst.asiTas); break;
    case 3: StepAlarmSpeed(inst.lowAlarmSpeed, up); break;
    case 4: inst.lowAlarmOn = Flipped(inst.lowAlarmOn); break;
    case 5: StepAlarmSpeed(inst.highAlarmSpeed, up); break;
    case 6: inst.highAlarmOn = Flipped(inst.highAlarmOn); break;
    case 7:
        inst.asiUnit = up ? NextOfThree(inst.asiUnit) : PreviousOfThree(inst.asiUnit);
        ResetMaxValues();
        break;
    case 8:
        inst.asiFilter = up ? NextOfThree(inst.asiFilter) : PreviousOfThree(inst.asiFilter);
        break;
    case 9: inst.distZeroAuto = Flipped(inst.distZeroAuto); break;
    case 10: inst.altitudeOnTop = Flipped(inst.altitudeOnTop); break;
    default: break;
    }
}

}  // namespace

void ClampAsiLimits() {
    const SpeedLimits limits = SpeedLimitsOf(inst.asiUnit);
    uint32_t* const speeds[] = {&inst.highAlarmSpeed, &inst.lowAlarmSpeed, &inst.takeoffSpeed};
    for (uint32_t* speed : speeds)
        if (*speed > limits.highest) *speed = limits.highest;
    for (uint32_t* speed : speeds)
        if (*speed < limits.lowest) *speed = limits.lowest;
}

void ScreenAsiSetup() {
    // The cursor row stays on the bottom line once it passes row 6.
    const uint8_t scroll = inst.menuItem >= 7 ? static_cast<uint8_t>(inst.menuItem - 6) : 0;
    const auto line = [scroll](uint8_t row) { return static_cast<uint8_t>(row - scroll); };
    DrawTitleConst(" ASI SETUP ");
    ClampAsiLimits();
    if (inst.menuItem < 7) DrawDoneRow();
    DrawMenuLineConst(0, static_cast<uint8_t>(16 - 8 * scroll), "ZERO ASI",
                      inst.menuItem == 1 ? 1 : 0);
    char speed[11];  // "%u" of any uint32
    DrawSettingRowConst(0, line(2), "ASI DISP: ", NameOf(iasTasNames, inst.asiTas));
    std::snprintf(speed, sizeof speed, "%u", static_cast<unsigned>(inst.lowAlarmSpeed));
    DrawSettingRowConstLabel(0, line(3), "LOW ALARM: ", speed);
    DrawSettingRowConst(0, line(4), "LOW ALM: ", NameOf(onOffNames, inst.lowAlarmOn));
    std::snprintf(speed, sizeof speed, "%u", static_cast<unsigned>(inst.highAlarmSpeed));
    DrawSettingRowConstLabel(0, line(5), "HIGH ALARM:", speed);
    DrawSettingRowConst(0, line(6), "HIGH ALM: ", NameOf(onOffNames, inst.highAlarmOn));
    DrawSettingRowConst(0, line(7), "ASI UNIT:", NameOf(speedUnitNames, inst.asiUnit));
    DrawSettingRowConst(0, line(8), "ASI FILT: ", NameOf(asiFilterNames, inst.asiFilter));
    // "AUTO" is one letter longer than "MAN": the label gives up its blank.
    if (inst.distZeroAuto == 0)
        DrawSettingRowConst(0, line(9), "DIST ZERO: ", "MAN");
    else
        DrawSettingRowConst(0, line(9), "DIST ZERO:", "AUTO");
    // Names where the airspeed sits; the altitude page names the altitude's place.
    DrawSettingRowConst(0, line(10), "POS: ", inst.altitudeOnTop == 0 ? "TOP" : "BOTTOM");
    HandleListKey(kAsiLastRow, EnterAsiRow, ChangeAsiValue);
}

void ScreenZeroAsiConfirm() {
    LcdTextCentredConst(57, 5, "ARE YOU SURE", 0, 1, 0);
    LcdTextCentredConst(57, 15, "YOU WANT TO", 0, 1, 0);
    LcdTextCentredConst(57, 25, "ZERO THE AIR", 0, 1, 0);
    LcdTextCentredConst(57, 35, "SPEED SENSOR?", 0, 1, 0);
    LcdTextConst(0, 56, " ZERO ", 0, 1, 1);
    switch (inst.pendingKey) {
    case KeyLeft:
        inst.asiZero = inst.asiAdc;
        SaveSettings();
        inst.returnScreen = ScreenAsiSetup;
        inst.currentScreen = ScreenMessageDone;
        break;
    case KeyEnter:
    case KeyKnobCw:
    case KeyKnobCcw:
    case KeyRight: inst.currentScreen = ScreenAsiSetup; break;
    default: break;
    }
    inst.pendingKey = KeyNone;
}
