#include "core/flight_clock.h"

#include <cstdint>

#include "core/state.h"

namespace {
constexpr uint8_t kLandingPasses = 30;
constexpr uint8_t kPassesPerMinute = 60;

// One flight minute: the log hook hears of every one.
void CountFlightMinute() {
    inst.flightPassCount = 0;
    if (inst.flightLogged == 0) {
        // First minute: the flight earns its log slot.
        inst.flightLogged = 1;
        inst.logPending = 255;
        inst.logIndex = static_cast<uint8_t>((inst.logIndex + 1) & 31);
    }
    inst.flightMinutes = static_cast<uint8_t>(inst.flightMinutes + 1);
    WriteFlightLog();
    inst.logMinuteCount = static_cast<uint8_t>((inst.logMinuteCount + 1) & 63);
    if (inst.flightMinutes >= 60) {
        inst.flightMinutes = 0;
        inst.flightHours = static_cast<uint8_t>(inst.flightHours + 1);
        if (inst.flightHours > 99) inst.flightHours = 0;
    }
}
}  // namespace

void FlightStartSteps() {
    inst.flightLogged = 0;
    inst.inFlight = 1;
    inst.flightPassCount = 0;
    inst.flightMinutes = 0;
    inst.flightHours = 0;
}

// A flight shorter than one flight minute never reaches the log.
void FlightEndSteps() {
    if (inst.flightLogged != 0) WriteFlightLog();
    inst.inFlight = 0;
}

void FlightClockStep() {
    if (inst.slowTick == 1) {
        if (inst.flightAutoDetect == 1 && inst.airspeed >= inst.takeoffSpeed) {
            if (inst.inFlight == 0) FlightStartSteps();
            if (inst.distZeroAuto == 1) ResetAirDistance();
        }
        inst.landingCountdown = kLandingPasses;
    } else if (inst.inFlight == 1 && inst.landingCountdown > 0) {
        // Only the step from 1 to 0 lands; a countdown already at 0 ends nothing.
        inst.landingCountdown = static_cast<uint8_t>(inst.landingCountdown - 1);
        if (inst.landingCountdown == 0) FlightEndSteps();
    }

    if (inst.inFlight == 1) {
        inst.flightPassCount = static_cast<uint8_t>(inst.flightPassCount + 1);
        if (inst.flightPassCount >= kPassesPerMinute) CountFlightMinute();
        // Only passes in flight consume the slow tick; on the ground it stays set.
        inst.slowTick = 0;
    }
}
