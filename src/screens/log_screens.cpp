// The flight-log menu, its four view pages, the erase question and the
// refusal during a flight.
#include <cstdio>

#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"
#include "screens/setup_common.h"

namespace {

constexpr uint8_t kLogEntries = sizeof inst.logHours;
constexpr uint8_t kLastLogPage = 3;

// The take-off speed row exists only while flights are detected.
uint8_t LogMenuLastRow() { return inst.flightAutoDetect != 0 ? 5 : 4; }

void EnterLogRow() {
    switch (inst.menuItem) {
    case 0: ReturnToMainMenu(2); break;
    case 1:
        if (inst.inFlight == 0) {
            inst.menuItem = 0;
            inst.currentScreen = ScreenLogView;
        } else {
            inst.returnScreen = ScreenLogMenu;
            inst.currentScreen = ScreenLogBlocked;
        }
        break;
    case 2: inst.currentScreen = ScreenLogErase; break;
    case 3:
    case 4:
    case 5: inst.editMode = 1; break;
    default: break;
    }
}

void ChangeLogValue(bool up) {
    const SpeedLimits limits = SpeedLimitsOf(inst.asiUnit);
    switch (inst.menuItem) {
    case 3: inst.hourFractDecimal = Flipped(inst.hourFractDecimal); break;
    case 4: inst.flightAutoDetect = Flipped(inst.flightAutoDetect); break;
    case 5:
        inst.takeoffSpeed = up ? TakeoffSpeedUp(inst.takeoffSpeed, inst.adjustStep, limits)
                               : TakeoffSpeedDown(inst.takeoffSpeed, inst.adjustStep, limits);
        break;
    default: break;
    }
}

}  // namespace

void DrawLogEntry(uint8_t index, uint8_t top, uint8_t first) {
    if (index >= kLogEntries) return;  // there is no such entry to read
    // "256: 99:255": an 8-bit index + 1, hours up to 99, any 8-bit minutes.
    char text[12];
    const uint8_t hours = inst.logHours[index];
    const uint8_t minutes = inst.logMinutes[index];
    if (hours > 99)
        std::snprintf(text, sizeof text, "%d: -----", index + 1);
    else
        std::snprintf(text, sizeof text,
                      inst.hourFractDecimal == 1 ? "%d: %02d.%02d" : "%d: %02d:%02d", index + 1,
                      hours, minutes);
    DrawMenuLine(0, static_cast<uint8_t>((index - first) * 8 + top), text, 0);
}

void ScreenLogMenu() {
    DrawTitleConst(" FLIGHT LOG ");
    DrawDoneRow();
    LcdTextConst(0, 16, "VIEW LOG", 0, 1, inst.menuItem == 1 ? 1 : 0);
    LcdTextConst(0, 24, "ERASE LOG", 0, 1, inst.menuItem == 2 ? 1 : 0);
    DrawSettingRowConst(0, 3, "HOUR FRACT:", inst.hourFractDecimal == 0 ? "MIN" : "DEC");
    if (inst.flightAutoDetect == 0) {
        DrawSettingRowConst(0, 4, "FLIGHT: ", "MANUAL");
    } else {
        DrawSettingRowConst(0, 4, "FLIGHT: ", "DETECT");
        char speed[11];  // "%3u" of any uint32
        std::snprintf(speed, sizeof speed, "%3u", static_cast<unsigned>(inst.takeoffSpeed));
        DrawSettingRowConstLabel(0, 5, "FLIGHT T/O:", speed);
    }
    HandleListKey(LogMenuLastRow(), EnterLogRow, ChangeLogValue);
}

void ScreenLogView() {
    DrawTitleConst(" FLIGHT LOG ");
    // Page: first entry, last entry, top line.
    struct Page {
        uint8_t first;
        uint8_t last;
        uint8_t top;
    };
    static constexpr Page kPages[] = {{0, 5, 16}, {6, 12, 8}, {13, 19, 8}, {20, 23, 8}};
    const Page& page = kPages[inst.menuItem < kLastLogPage ? inst.menuItem : kLastLogPage];
    // The only thing to select on the first page.
    if (inst.menuItem == 0) LcdTextCentredConst(57, 8, "*** DONE ***", 0, 1, 1);
    for (uint8_t i = page.first; i <= page.last; ++i) DrawLogEntry(i, page.top, page.first);
    if (inst.pendingKey == KeyEnter) {
        if (inst.menuItem == 0) {
            inst.menuItem = 1;
            inst.currentScreen = ScreenLogMenu;
            inst.editMode = 0;
        }
    } else {
        MoveListCursor(inst.pendingKey, kLastLogPage);
    }
    inst.pendingKey = KeyNone;
}

void ScreenLogErase() {
    DrawIcon(3);
    LcdTextCentredConst(80, 3, "ERASE", 1, 1, 0);
    LcdTextCentredConst(80, 20, "FLIGHT", 1, 1, 0);
    LcdTextCentredConst(80, 37, "LOG", 1, 1, 0);
    LcdTextConst(0, 56, " ERASE ", 0, 1, 1);
    switch (inst.pendingKey) {
    case KeyLeft:
        EraseFlightLog();
        inst.menuItem = 2;
        inst.returnScreen = ScreenLogMenu;
        inst.currentScreen = ScreenMessageDone;
        break;
    case KeyEnter:
    case KeyRight: inst.currentScreen = ScreenLogMenu; break;
    default: break;
    }
    inst.pendingKey = KeyNone;
}

void ScreenLogBlocked() {
    DrawIcon(5);
    static constexpr struct {
        uint8_t y;
        const char* text;
    } kLines[] = {
        {8, "FLIGHT"}, {18, "LOG CANT"}, {28, "BE VIEWED"}, {38, "WHILE IN"}, {48, "FLIGHT"}};
    for (const auto& line : kLines) LcdTextCentredConst(78, line.y, line.text, 0, 1, 0);
    if (inst.pendingKey >= KeyEnter && inst.pendingKey <= KeyRight) GoToReturnScreen();
    inst.pendingKey = KeyNone;
}
