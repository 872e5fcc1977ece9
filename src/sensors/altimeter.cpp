#include "core/state.h"
#include "sensors/sensors.h"

// Not yet computed: the altimeter lands with the sensors.
uint32_t ReadAdc(uint8_t channel) {
    if (channel == 0) return static_cast<uint32_t>(inst.altAdcInput);
    if (channel == 2) return static_cast<uint32_t>(inst.asiAdcInput);
    return 0;
}
void UpdateAltitude() {}
