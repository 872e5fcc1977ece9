#include "lcd/lcd.h"

const uint8_t font8x8[800] = {};
