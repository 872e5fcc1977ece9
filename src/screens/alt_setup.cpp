// The altitude page, the display page and the contrast bar.
#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"
#include "screens/setup_common.h"
#include "sensors/sensors.h"

namespace {

constexpr uint8_t kContrastHighest = 57;

void EnterAltRow() {
    if (inst.menuItem == 0) {
        ReturnToMainMenu(4);
    } else if (inst.menuItem <= 3) {
        inst.editMode = 1;
    }
}

// Every row here is a switch: all four keys flip it.
void ChangeAltValue(bool) {
    switch (inst.menuItem) {
    case 1: inst.altUnit = Flipped(inst.altUnit); break;
    case 2:
        // The QNH stays in millibar; only how it is shown and stepped follows
        // the unit. The maxima restart from an altitude taken in this pass.
        inst.qnhUnit = Flipped(inst.qnhUnit);
        UpdateAltitude();
        ResetMaxValues();
        break;
    case 3: inst.altitudeOnTop = Flipped(inst.altitudeOnTop); break;
    default: break;
    }
}

void EnterDisplayRow() {
    switch (inst.menuItem) {
    case 0: ReturnToMainMenu(3); break;
    case 1:
        inst.menuItem = 0;
        inst.currentScreen = ScreenContrast;
        break;
    case 2: inst.editMode = 1; break;
    default: break;
    }
}

void ChangeDisplayValue(bool) {
    if (inst.menuItem != 2) return;
    if (inst.backlight == 0) {
        inst.backlight = 1;
        BacklightOn();
    } else {
        inst.backlight = 0;
        BacklightOff();
    }
}

}  // namespace

void ScreenAltSetup() {
    DrawTitleConst(" ALT SETUP ");
    DrawDoneRow();
    DrawSettingRowConst(0, 1, "ALT UNIT: ", NameOf(altUnitNames, inst.altUnit));
    DrawSettingRowConst(0, 2, "QNH UNIT: ", NameOf(qnhUnitNames, inst.qnhUnit));
    // Names where the altitude sits; the airspeed page names the airspeed's place.
    DrawSettingRowConst(0, 3, "POS: ", inst.altitudeOnTop == 1 ? "TOP" : "BOTTOM");
    HandleListKey(3, EnterAltRow, ChangeAltValue);
}

void ScreenDisplaySetup() {
    DrawTitleConst(" DISP SETUP ");
    DrawDoneRow();
    LcdTextConst(0, 16, "ADJ CONTRAST", 0, 1, inst.menuItem == 1 ? 1 : 0);
    DrawSettingRowConst(0, 2, "BACKLIGHT: ", NameOf(onOffNames, inst.backlight));
    HandleListKey(2, EnterDisplayRow, ChangeDisplayValue);
}

void ScreenContrast() {
    DrawTitleConst(" CONTRAST ");
    // Two columns a step: 57 fills the frame's 114 columns.
    LcdFillRect(0, 15, static_cast<uint8_t>(2 * inst.contrast), 25, 1);
    LcdRect(0, 15, 113, 25, 1);
    LcdTextCentredConst(57, 40, "USE { } OR ~", 0, 1, 0);
    LcdTextCentredConst(57, 48, "TO ADJUST THE", 0, 1, 0);
    LcdTextCentredConst(57, 56, "CONTRAST", 0, 1, 0);
    if (inst.pendingKey == KeyEnter) {
        inst.menuItem = 1;
        inst.currentScreen = ScreenDisplaySetup;
        SaveSettings();
    } else if (const int8_t step = ValueStep(inst.pendingKey); step != 0) {
        if (step > 0 && inst.contrast < kContrastHighest)
            inst.contrast = static_cast<uint8_t>(inst.contrast + 1);
        if (step < 0 && inst.contrast > 0) inst.contrast = static_cast<uint8_t>(inst.contrast - 1);
        // Also at the ends: every contrast key drives the output.
        ApplyContrast();
    }
    inst.pendingKey = KeyNone;
}
