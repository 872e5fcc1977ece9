// Altitude and airspeed from the two converter channels, air distance,
// maxima and the speed alarm.
#pragma once

#include <cstdint>

uint32_t ReadAdc(uint8_t channel);
void UpdateAltitude();
int32_t IntSqrt(int32_t value);
void UpdateAirspeed();
