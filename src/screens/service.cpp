// The two service screens: calibration trim against the live values, and the
// raw channel readings.
#include <cstdio>

#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/screens.h"
#include "screens/setup_common.h"

namespace {

constexpr int8_t kAltCalLimit = 125;
constexpr uint8_t kAsiCalLowest = 50;
constexpr uint8_t kAsiCalHighest = 150;

void EnterCalibrateRow() {
    if (inst.menuItem == 0) {
        inst.menuItem = 7;
        inst.currentScreen = ScreenMainMenu;
        SaveSettings();
    } else if (inst.menuItem <= 2) {
        inst.editMode = 1;
    }
}

// Steps of one, whatever KeyFast says; a step at a limit is refused.
void ChangeCalibration(bool up) {
    if (inst.menuItem == 1) {
        if (up && inst.altCalOffset < kAltCalLimit)
            inst.altCalOffset = static_cast<int8_t>(inst.altCalOffset + 1);
        else if (!up && inst.altCalOffset > -kAltCalLimit)
            inst.altCalOffset = static_cast<int8_t>(inst.altCalOffset - 1);
    } else if (inst.menuItem == 2) {
        if (up && inst.asiCalPercent < kAsiCalHighest)
            inst.asiCalPercent = static_cast<uint8_t>(inst.asiCalPercent + 1);
        else if (!up && inst.asiCalPercent > kAsiCalLowest)
            inst.asiCalPercent = static_cast<uint8_t>(inst.asiCalPercent - 1);
    }
}

}  // namespace

void ScreenCalibrate() {
    DrawTitleConst(" CALIBRATE ");
    DrawDoneRow();
    // Sized for the widest values the fields hold: "-128 -2147483648".
    char text[17];
    std::snprintf(text, sizeof text, "%+d %ld", inst.altCalOffset,
                  static_cast<long>(inst.altitudeFt));
    DrawSettingRowConstLabel(0, 1, "ALT: ", text);
    // "+255% 4294967295".
    std::snprintf(text, sizeof text, "%+d%% %u", inst.asiCalPercent,
                  static_cast<unsigned>(inst.airspeed));
    DrawSettingRowConstLabel(0, 2, "ASI: ", text);
    HandleListKey(2, EnterCalibrateRow, ChangeCalibration);
}

void ScreenAdcValues() {
    DrawTitleConst(" ADC VALUES ");
    // The cursor never leaves row 0 here.
    DrawDoneRow();
    char text[21];  // "ALTITUDE: 4294967295"
    std::snprintf(text, sizeof text, "ALTITUDE: %u", static_cast<unsigned>(inst.altAdc));
    DrawMenuLine(0, 16, text, 100);
    std::snprintf(text, sizeof text, "ASI: %u", static_cast<unsigned>(inst.asiAdc));
    DrawMenuLine(0, 24, text, 100);
    if (inst.pendingKey == KeyEnter && inst.menuItem == 0) {
        inst.menuItem = 6;
        inst.currentScreen = ScreenMainMenu;
    }
    inst.pendingKey = KeyNone;
}
