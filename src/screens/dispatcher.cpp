#include "core/state.h"
#include "screens/screens.h"

void ScreenMessageDone() { inst.pendingKey = 0; }
