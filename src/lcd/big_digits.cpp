#include "lcd/lcd.h"

const uint8_t bigDigitFont[540] = {};
void LcdBigDigits(uint8_t, uint8_t, const char*) {}
