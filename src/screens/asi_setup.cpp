#include "core/state.h"
#include "screens/screens.h"

void ClampAsiLimits() {}
void ScreenAsiSetup() { inst.pendingKey = 0; }
void ScreenZeroAsiConfirm() { inst.pendingKey = 0; }
