#include <cstdio>
#include <cstring>

#include "core/flight_clock.h"
#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"

namespace {

// distanceSum / 720 reads this when the sum has no valid distance to show.
constexpr uint32_t kUnknownDistance = 65535;

// "-2147483648 ft" and "4294967295 knots" are the widest maxima texts.
constexpr std::size_t kMaxValueTextSize = 24;

uint8_t Selected(uint8_t row) { return inst.menuItem == row ? 1 : 0; }

// The "*** DONE ***" row at y and the reset row under it.
void DrawDoneAndReset(uint8_t y, const char* reset) {
    LcdTextCentredConst(57, y, "*** DONE ***", 0, 1, Selected(0));
    LcdTextConst(0, static_cast<uint8_t>(y + 8), reset, 0, 1, Selected(1));
}

// The knob and the side keys pick one of the two rows.
void PickRow(uint8_t key) {
    const int8_t step = ListStep(key);
    if (step > 0) inst.menuItem = 1;
    if (step < 0) inst.menuItem = 0;
}

}  // namespace

void FormatDistanceText(char (&text)[kDistanceTextSize]) {
    // Tenths of a statute mile.
    const uint32_t d = inst.distanceSum / 720;
    if (d == kUnknownDistance) {
        std::snprintf(text, sizeof text, "???.?");
        return;
    }
    // In floating point: d * 1609 overflows 32 bits from d = 2669340 on.
    const double tenths = static_cast<double>(d);
    double distance;
    switch (inst.asiUnit) {
    case 1: distance = tenths * 1609 * 0.0001; break;
    case 2: distance = tenths * 869 * 0.0001; break;
    default: distance = tenths * 0.1; break;
    }
    std::snprintf(text, sizeof text, "%.1f", distance);
}

void FormatFlightTimeText(char (&text)[kFlightTimeTextSize]) {
    const char* format = inst.hourFractDecimal == 1 ? "%02d.%02d" : "%02d:%02d";
    std::snprintf(text, sizeof text, format, inst.flightHours, inst.flightMinutes);
}

void ScreenFlightStartStop() {
    const bool start = inst.inFlight == 0;
    DrawIcon(3);
    LcdTextCentredConst(82, 10, start ? "START" : "STOP", 1, 1, 0);
    LcdTextCentredConst(82, 30, "FLIGHT", 1, 1, 0);
    // The inverted word over the left key marks it as the one that confirms.
    LcdTextConst(0, 56, start ? " START " : " STOP ", 0, 1, 1);

    switch (inst.pendingKey) {
    case KeyLeft:
        if (start) {
            FlightStartSteps();
            if (inst.distZeroAuto == 1) ResetAirDistance();
        } else {
            FlightEndSteps();
        }
        inst.currentScreen = ScreenMain;
        break;
    case KeyEnter:
    case KeyKnobCw:
    case KeyKnobCcw:
    case KeyRight: inst.currentScreen = ScreenMain; break;
    default: break;
    }
    inst.pendingKey = KeyNone;
}

void ScreenFlightInfo() {
    DrawDoneAndReset(0, "RESET AIR DIST");
    LcdTextConst(0, 18, "FLIGHT TIME:", 0, 1, 0);
    char time[kFlightTimeTextSize];
    FormatFlightTimeText(time);
    LcdTextCentred(57, 26, time, 1, 1, 0);
    LcdTextConst(0, 42, "AIR DISTANCE:", 0, 1, 0);
    char distance[kDistanceTextSize];
    FormatDistanceText(distance);
    LcdTextCentred(57, 50, distance, 1, 1, 0);

    if (inst.pendingKey == KeyEnter) {
        if (inst.menuItem == 0) inst.currentScreen = ScreenMain;
        if (inst.menuItem == 1) ResetAirDistance();
    } else {
        PickRow(inst.pendingKey);
    }
    inst.pendingKey = KeyNone;
}

void ScreenMaxValues() {
    DrawTitleConst(" MAX VALUES ");
    DrawDoneAndReset(8, "RESET VALUES");
    char text[kMaxValueTextSize];
    LcdTextConst(0, 28, "ALT:", 0, 1, 0);
    std::snprintf(text, sizeof text, "%ld ", static_cast<long>(inst.maxAltitude));
    AppendAltUnit(text);
    LcdText(40, 28, text, 1, 1, 0);
    LcdTextConst(0, 48, "ASI:", 0, 1, 0);
    std::snprintf(text, sizeof text, "%u ", static_cast<unsigned>(inst.maxAirspeed));
    AppendAsiUnit(text);
    LcdText(40, 48, text, 1, 1, 0);

    if (inst.pendingKey == KeyEnter) {
        if (inst.menuItem == 0) {
            // Back to the main menu on its MAXIMUM VALUES item.
            inst.menuItem = 1;
            inst.currentScreen = ScreenMainMenu;
        } else if (inst.menuItem == 1) {
            ResetMaxValues();
        }
    } else {
        PickRow(inst.pendingKey);
    }
    inst.pendingKey = KeyNone;
}
