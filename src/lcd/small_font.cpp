#include "lcd/lcd.h"

const uint8_t smallFont[480] = {};
