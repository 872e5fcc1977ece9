#include "core/state.h"
#include "screens/screens.h"

// Not yet drawn: the main display lands with the screens.
void DrawMainDisplay() {}
void ScreenMain() { inst.pendingKey = 0; }
