#include "lcd/lcd.h"

const uint8_t iconBankA[1024] = {};
const uint8_t iconBankB[1024] = {};
void DrawIcon(uint8_t) {}
