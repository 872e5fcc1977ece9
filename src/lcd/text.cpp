#include "lcd/lcd.h"

// Not yet drawn: text lands with the drawing library.
void LcdText(uint8_t, uint8_t, const char*, uint8_t, DrawMode, uint8_t) {}
void LcdTextCentred(uint8_t, uint8_t, const char*, uint8_t, DrawMode, uint8_t) {}
void LcdTextConst(uint8_t, uint8_t, const char*, uint8_t, DrawMode, uint8_t) {}
void LcdTextCentredConst(uint8_t, uint8_t, const char*, uint8_t, DrawMode, uint8_t) {}
void LcdSmallText(uint8_t, uint8_t, const char*, uint8_t) {}
void LcdSmallTextCentred(uint8_t, uint8_t, const char*, uint8_t) {}
void LcdSmallTextConst(uint8_t, uint8_t, const char*, uint8_t) {}
void LcdSmallTextCentredConst(uint8_t, uint8_t, const char*, uint8_t) {}
