#include "core/state.h"
#include "screens/screens.h"

void DrawLogEntry(uint8_t, uint8_t, uint8_t) {}
void ScreenLogMenu() { inst.pendingKey = 0; }
void ScreenLogView() { inst.pendingKey = 0; }
void ScreenLogErase() { inst.pendingKey = 0; }
void ScreenLogBlocked() { inst.pendingKey = 0; }
