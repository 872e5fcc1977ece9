#include <cstdio>

#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"

namespace {

// Rows of the six elements; the columns are the same in both arrangements.
struct Layout {
    uint8_t altitudeY;
    uint8_t altUnitY;
    uint8_t airspeedY;
    uint8_t iasTasY;
    uint8_t speedUnitY;
};
// Index: altitudeOnTop. The unit stands level with the altitude on top but
// lower beside it at the bottom; the speed unit is always under its label.
constexpr Layout kLayouts[2] = {
    {30, 39, 3, 3, 12},
    {3, 3, 30, 30, 39},
};

// Exclusive QNH limits, in thousandths of a millibar.
constexpr uint32_t kQnhAbove = 940250;
constexpr uint32_t kQnhBelow = 1080250;

// One millibar, or one hundredth of an inch of mercury rounded down.
uint32_t QnhStep() { return inst.qnhUnit == 1 ? 338 : 1000; }

// A step that would reach a limit is refused whole. Compared without
// wrapping, so a QNH stored out of range by a debugger cannot wrap around.
void QnhUp() {
    const uint32_t step = QnhStep();
    if (inst.qnh < kQnhBelow - step) inst.qnh += step;
}

void QnhDown() {
    const uint32_t step = QnhStep();
    if (inst.qnh > kQnhAbove + step) inst.qnh -= step;
}

// The speed alarm's condition, read from its fields again: the figure blinks
// as long as it holds, acknowledged or not.
bool SpeedOutsideLimits() {
    const bool high = inst.airspeed > inst.highAlarmSpeed && inst.highAlarmOn == 1;
    const bool low =
        inst.airspeed < inst.lowAlarmSpeed && inst.lowAlarmOn == 1 && inst.inFlight == 1;
    return high || low;
}

}  // namespace

void FormatQnhText(char (&text)[kQnhTextSize]) {
    if (inst.qnhUnit == 1)
        std::snprintf(text, sizeof text, "%.2f", inst.qnh * (1 / 33863.0));
    else
        std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(inst.qnh / 1000));
    AppendQnhUnit(text);
}

void DrawMainDisplay() {
    const Layout& at = kLayouts[inst.altitudeOnTop == 1 ? 1 : 0];
    // "-2147483648" and "4294967295" are the widest figures the fields hold.
    char figure[16];

    std::snprintf(figure, sizeof figure, "%5ld", static_cast<long>(inst.altitude));
    LcdBigDigits(0, at.altitudeY, figure);
    LcdTextCentredConst(104, at.altUnitY, NameOf(altUnitNames, inst.altUnit), 1, 1, 0);

    char qnh[kQnhTextSize];
    FormatQnhText(qnh);
    LcdTextCentred(57, 57, qnh, 0, 1, 0);

    if (!SpeedOutsideLimits() || inst.blinkPhase == 1) {
        std::snprintf(figure, sizeof figure, "%3u", static_cast<unsigned>(inst.airspeed));
        LcdBigDigits(18, at.airspeedY, figure);
    }
    LcdTextCentredConst(95, at.iasTasY, NameOf(iasTasNames, inst.asiTas), 0, 1, 0);
    LcdTextCentredConst(95, at.speedUnitY, NameOf(speedUnitNames, inst.asiUnit), 1, 1, 0);
}

void ScreenMain() {
    DrawMainDisplay();
    if (inst.pendingKey == KeyNone) return;
    if (inst.alarmActive != 0 && inst.alarmAcknowledged == 0) {
        // The first key of a raised alarm only acknowledges it.
        inst.alarmAcknowledged = 1;
        inst.pendingKey = KeyNone;
        return;
    }
    switch (inst.pendingKey) {
    case KeyEnter:
        inst.menuItem = 0;
        inst.editMode = 0;
        inst.currentScreen = ScreenMainMenu;
        break;
    case KeyKnobCw:
        QnhUp();
        SaveSettings();
        break;
    case KeyKnobCcw:
        QnhDown();
        SaveSettings();
        break;
    case KeyLeft:
        // With automatic detection the flight clock alone starts and stops.
        if (inst.flightAutoDetect == 0) inst.currentScreen = ScreenFlightStartStop;
        break;
    case KeyRight:
        inst.menuItem = 0;
        inst.currentScreen = ScreenFlightInfo;
        break;
    default: break;
    }
    inst.pendingKey = KeyNone;
}
