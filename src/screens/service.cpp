#include "core/state.h"
#include "screens/screens.h"

void ScreenCalibrate() { inst.pendingKey = 0; }
void ScreenAdcValues() { inst.pendingKey = 0; }
