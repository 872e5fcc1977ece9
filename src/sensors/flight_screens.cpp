#include "core/state.h"
#include "screens/screens.h"

// Not yet drawn: the flight screens land with the screens.
void ScreenFlightStartStop() { inst.pendingKey = 0; }
void ScreenFlightInfo() { inst.pendingKey = 0; }
void ScreenMaxValues() { inst.pendingKey = 0; }
