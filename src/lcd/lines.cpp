#include "lcd/lcd.h"

// Not yet drawn: lines and boxes land with the drawing library.
int32_t Abs32(int32_t value) { return value < 0 ? -value : value; }
void LcdLine(int32_t, int32_t, int32_t, int32_t, DrawMode) {}
void LcdRect(uint8_t, uint8_t, uint8_t, uint8_t, DrawMode) {}
void LcdFillRect(uint8_t, uint8_t, uint8_t, uint8_t, DrawMode) {}
