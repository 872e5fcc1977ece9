#include "lcd/lcd.h"

const char speedUnitNames[3][7] = {"mph", "km/h", "knots"};
const char asiFilterNames[3][5] = {"NONE", "FAST", "SLOW"};
const char altUnitNames[2][3] = {"ft", "m"};
const char qnhUnitNames[2][7] = {"mB", "\"Hg"};
const char onOffNames[2][4] = {"OFF", "ON"};
const char iasTasNames[2][4] = {"IAS", "TAS"};

void DrawTitle(const char*) {}
void DrawTitleConst(const char*) {}
void DrawMenuLine(uint8_t, uint8_t, const char*, uint8_t) {}
void DrawMenuLineConst(uint8_t, uint8_t, const char*, uint8_t) {}
void DrawSettingRow(uint8_t, uint8_t, const char*, const char*) {}
void DrawSettingRowConstLabel(uint8_t, uint8_t, const char*, const char*) {}
void DrawSettingRowConst(uint8_t, uint8_t, const char*, const char*) {}
void DrawMenuScrollBar(uint8_t, uint8_t) {}
void AppendAltUnit(char*) {}
void AppendQnhUnit(char*) {}
void AppendAsiUnit(char*) {}
