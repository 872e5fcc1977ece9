#include "core/state.h"
#include "screens/screens.h"

void ScreenAltSetup() { inst.pendingKey = 0; }
void ScreenDisplaySetup() { inst.pendingKey = 0; }
void ScreenContrast() { inst.pendingKey = 0; }
