#include <cmath>
#include <cstdint>

#include "core/state.h"
#include "sensors/sensors.h"

namespace {
// The converter's span: a slider reaches 4096, nothing reads beyond it.
constexpr int32_t kAdcMax = 4096;

// Largest altitude whose accumulator (8 x feet) still fits the signed field.
constexpr int32_t kFeetLimit = INT32_MAX / 8;

uint32_t ClampToAdcSpan(int32_t input) {
    if (input < 0) return 0;
    if (input > kAdcMax) return kAdcMax;
    return static_cast<uint32_t>(input);
}

// Static pressure in thousandths of a millibar from a calibrated count.
uint32_t PressureFromCount(int32_t count) {
    const float volts = static_cast<float>(count) * 5.0f / 4096.0f;
    // The kilopascals are rounded to single precision before scaling: the
    // truncated pressure depends on it.
    const float kpa =
        static_cast<float>((static_cast<double>(volts) * 0.2 + 0.095) * (1.0 / 0.009));
    return static_cast<uint32_t>(static_cast<double>(kpa) * 10000.0);
}

// Barometric formula, truncated toward zero and held where the filter can
// store it; only a QNH far outside the knob's range gets near the bound.
int32_t FeetAboveQnh(uint32_t pressure, uint32_t qnh) {
    const double ratio =
        qnh != 0 ? static_cast<double>(pressure) / static_cast<double>(qnh) : HUGE_VAL;
    const double feet = 145440.688061 * (1.0 - std::pow(ratio, 0.190263));
    if (!(feet > -kFeetLimit)) return -kFeetLimit;
    if (feet > kFeetLimit) return kFeetLimit;
    return static_cast<int32_t>(feet);
}
}  // namespace

// Slider positions outside the converter's span (only a debugger stores
// them) read as the nearest end of the span.
uint32_t ReadAdc(uint8_t channel) {
    if (channel == 0) return ClampToAdcSpan(inst.altAdcInput);
    if (channel == 2) return ClampToAdcSpan(inst.asiAdcInput);
    return 0;
}

void UpdateAltitude() {
    inst.altAdc = ReadAdc(0);
    int32_t count = static_cast<int32_t>(inst.altAdc) + inst.altCalOffset;
    // Below the sensor's span: read it as the lowest pressure it reports.
    if (count < 0) count = 0;
    inst.pressure = PressureFromCount(count);
    const int32_t h = FeetAboveQnh(inst.pressure, inst.qnh);

    // Both shifts are arithmetic: floor division by 8, also below zero.
    const int64_t acc = inst.altFilterAcc;
    const int64_t prev = acc >> 3;
    if (h > prev + 25 || h < prev - 25) {
        inst.altFilterAcc = 8 * h;
        inst.altitudeFt = h;
    } else {
        inst.altFilterAcc = static_cast<int32_t>((7 * acc + 8 * int64_t{h}) >> 3);
        inst.altitudeFt = inst.altFilterAcc >> 3;
    }

    if (inst.altUnit == 1)
        inst.altitude = static_cast<int32_t>(int64_t{inst.altitudeFt} * 1000 / 3281);
    else
        inst.altitude = inst.altitudeFt;
    if (inst.altitude > inst.maxAltitude) inst.maxAltitude = inst.altitude;
}
