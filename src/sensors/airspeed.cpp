#include <algorithm>
#include <cstdint>

#include "core/state.h"
#include "sensors/sensors.h"

namespace {
// Largest argument the square root is exact for.
constexpr uint64_t kIntSqrtMax = (uint64_t{1} << 30) - 1;

// Pitot count after the zero correction and the selected filter. FAST and
// SLOW share one accumulator, at twice and four times the count.
uint32_t FilteredCount(uint32_t v) {
    switch (inst.asiFilter) {
    case 1:
        inst.asiFilterAcc = static_cast<uint32_t>((uint64_t{2} * v + inst.asiFilterAcc) >> 1);
        return inst.asiFilterAcc >> 1;
    case 2:
        inst.asiFilterAcc = static_cast<uint32_t>((uint64_t{3} * inst.asiFilterAcc + 4 * v) >> 2);
        return inst.asiFilterAcc >> 2;
    default: return v;
    }
}

// Adds 1.75 % of the speed per 1000 ft, rounded toward zero. Below the
// reference altitude the correction is negative: denser air, lower true
// airspeed. 64-bit, so no altitude in the field can overflow it.
uint32_t TrueAirspeed(uint32_t ias) {
    const int64_t c = (int64_t{inst.altitudeFt} / 100) * (int64_t{ias} * 175) / 100000;
    return static_cast<uint32_t>(std::max<int64_t>(int64_t{ias} + c, 0));
}

uint32_t InDisplayUnit(uint32_t mph) {
    switch (inst.asiUnit) {
    case 1: return static_cast<uint32_t>(uint64_t{mph} * 1609 / 1000);
    case 2: return static_cast<uint32_t>(uint64_t{mph} * 869 / 1000);
    default: return mph;
    }
}
}  // namespace

// Bit by bit: 15 rounds, from 2^28 down to 1. A negative argument has no
// root and gives 0.
int32_t IntSqrt(int32_t value) {
    if (value < 0) return 0;
    int32_t a = value;
    int32_t r = 0;
    for (int32_t b = int32_t{1} << 28; b != 0; b >>= 2) {
        const int32_t t = r + b;
        r >>= 1;
        if (t <= a) {
            a -= t;
            r += b;
        }
    }
    return r;
}

void UpdateAirspeed() {
    inst.asiAdc = ReadAdc(2);
    const uint32_t v = FilteredCount(inst.asiAdc >= inst.asiZero ? inst.asiAdc - inst.asiZero : 0);
    // The count is at most 4096, or half as much again after SLOW hands its
    // accumulator to FAST; only a stored accumulator reaches the bound.
    const uint64_t square = std::min(uint64_t{v} * 15, kIntSqrtMax);
    const uint32_t s = static_cast<uint32_t>(IntSqrt(static_cast<int32_t>(square)));
    uint32_t w = inst.asiCalPercent * s / 100;
    // The limit holds in mph, before the true-airspeed correction and the unit.
    if (w > 250) w = 250;
    inst.airspeed = w < 16 ? 0 : w;
    if (inst.asiTas == 1) inst.airspeed = TrueAirspeed(inst.airspeed);

    // Air distance in mph whatever the display unit; wraps at 2^32.
    inst.distanceSum = static_cast<uint32_t>(inst.distanceSum + inst.airspeed);

    inst.airspeed = InDisplayUnit(inst.airspeed);
    if (inst.airspeed > inst.maxAirspeed) inst.maxAirspeed = inst.airspeed;

    const bool high = inst.airspeed > inst.highAlarmSpeed && inst.highAlarmOn == 1;
    const bool low =
        inst.airspeed < inst.lowAlarmSpeed && inst.lowAlarmOn == 1 && inst.inFlight == 1;
    if (high || low) {
        inst.alarmActive = 1;
    } else {
        inst.alarmActive = 0;
        inst.alarmAcknowledged = 0;
    }
}
