#include "screens/dispatcher.h"

#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/screens.h"

int8_t ListStep(uint8_t key) {
    switch (key) {
    case KeyKnobCw:
    case KeyRight: return 1;
    case KeyKnobCcw:
    case KeyLeft: return -1;
    default: return 0;
    }
}

int8_t ValueStep(uint8_t key) {
    switch (key) {
    case KeyKnobCw:
    case KeyLeft: return 1;
    case KeyKnobCcw:
    case KeyRight: return -1;
    default: return 0;
    }
}

void MoveListCursor(uint8_t key, uint8_t lastRow) {
    const int8_t step = ListStep(key);
    if (step > 0 && inst.menuItem < lastRow)
        inst.menuItem = static_cast<uint8_t>(inst.menuItem + 1);
    if (step < 0 && inst.menuItem > 0) inst.menuItem = static_cast<uint8_t>(inst.menuItem - 1);
}

void GoToReturnScreen() {
    inst.currentScreen = inst.returnScreen != nullptr ? inst.returnScreen : ScreenMain;
}

void ScreenMessageDone() {
    DrawTitleConst(" MESSAGE ");
    DrawIcon(5);
    LcdTextCentredConst(78, 26, "DONE", 1, 1, 0);
    if (inst.pendingKey == KeyNone) return;
    if (inst.pendingKey >= KeyEnter && inst.pendingKey <= KeyRight) GoToReturnScreen();
    inst.pendingKey = KeyNone;
}
