#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"

namespace {

struct MenuEntry {
    const char* first;
    const char* second;  // nullptr: a one-line label
    uint8_t icon;
    ScreenFn opens;
};

// The item numbers are shared with the screens, which return to their own.
constexpr MenuEntry kMenu[] = {
    {"EXIT", "MENU", 1, ScreenMain},          {"MAXIMUM", "VALUES", 4, ScreenMaxValues},
    {"FLIGHT", "LOG", 0, ScreenLogMenu},      {"DISPLAY", "SETUP", 8, ScreenDisplaySetup},
    {"ALTITUDE", "SETUP", 6, ScreenAltSetup}, {"AIRSPEED", "SETUP", 7, ScreenAsiSetup},
    {"ADC", "VALUES", 9, ScreenAdcValues},    {"CALIBRATE", nullptr, 2, ScreenCalibrate},
};
constexpr uint8_t kMenuCount = sizeof kMenu / sizeof kMenu[0];
// Without the Calibrate box the two service items are out of reach.
constexpr uint8_t kUserMenuCount = 6;

}  // namespace

void ScreenMainMenu() {
    const uint8_t count = inst.calibrateEnabled == 1 ? kMenuCount : kUserMenuCount;
    DrawTitleConst(" MAIN MENU ");
    DrawMenuScrollBar(inst.menuItem, count);
    if (inst.menuItem < kMenuCount) {
        const MenuEntry& entry = kMenu[inst.menuItem];
        if (entry.second != nullptr) {
            LcdTextCentredConst(73, 18, entry.first, 1, 1, 0);
            LcdTextCentredConst(73, 36, entry.second, 1, 1, 0);
        } else {
            LcdTextCentredConst(73, 26, entry.first, 1, 1, 0);
        }
        DrawIcon(entry.icon);
    }

    if (inst.pendingKey == KeyEnter) {
        if (inst.menuItem < kMenuCount) {
            inst.currentScreen = kMenu[inst.menuItem].opens;
            if (inst.menuItem == 0) SaveSettings();
        }
        // Every screen opens on its first row, not editing.
        inst.menuItem = 0;
        inst.editMode = 0;
    } else {
        // The limit follows the box at the moment of the key.
        MoveListCursor(inst.pendingKey, static_cast<uint8_t>(count - 1));
    }
    inst.pendingKey = KeyNone;
}
