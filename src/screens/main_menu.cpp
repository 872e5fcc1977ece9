#include "core/state.h"
#include "screens/screens.h"

void ScreenMainMenu() { inst.pendingKey = 0; }
