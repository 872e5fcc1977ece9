// The LCD's frame buffer and everything that draws into it.
//
// Coordinates are 8-bit and wrap modulo 256; dots beyond column 113 or row 63
// are dropped by LcdPutPixel, so callers never clip.
#pragma once

#include <cstdint>

#include "core/state.h"

// Row masks within a page byte: entry k is row k, bit 0 at the top.
extern const uint8_t bitMask[8];

// Frame buffer and pixels.
void LcdClear();
uint8_t LcdGetPixel(uint8_t x, uint8_t y);  // 0 off screen
void LcdPutPixel(uint8_t x, uint8_t y, DrawMode mode);

// Lines and boxes.
int32_t Abs32(int32_t value);
void LcdLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, DrawMode mode);
void LcdRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, DrawMode mode);
void LcdFillRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, DrawMode mode);

// Text in the 8 x 8 font. The Const twins copy at most 31 characters into a
// 32-byte working buffer first.
void LcdText(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight, DrawMode drawMode,
             uint8_t inverse);
void LcdTextCentred(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight,
                    DrawMode drawMode, uint8_t inverse);
void LcdTextConst(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight, DrawMode drawMode,
                  uint8_t inverse);
void LcdTextCentredConst(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight,
                         DrawMode drawMode, uint8_t inverse);

// Text in the small font; characters from position inverseFrom on are inverted.
void LcdSmallText(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom);
void LcdSmallTextCentred(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom);
void LcdSmallTextConst(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom);
void LcdSmallTextCentredConst(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom);

// Large 18 x 24 numerals, with space, minus and plus.
void LcdBigDigits(uint8_t x, uint8_t y, const char* text);

// One of the ten 32 x 32 icons at its fixed place.
void DrawIcon(uint8_t n);

// Glyph and picture tables, one byte a column of eight dots, bit 0 at the top
// (the small font alone is MSB first).
extern const uint8_t font8x8[800];
extern const uint8_t smallFont[480];
extern const uint8_t bigDigitFont[540];
extern const uint8_t iconBankA[1024];
extern const uint8_t iconBankB[1024];

// Menu widgets.
void DrawTitle(const char* title);
void DrawTitleConst(const char* title);
void DrawMenuLine(uint8_t x, uint8_t y, const char* text, uint8_t inverse);
void DrawMenuLineConst(uint8_t x, uint8_t y, const char* text, uint8_t inverse);
void DrawSettingRow(uint8_t valueX, uint8_t row, const char* label, const char* value);
void DrawSettingRowConstLabel(uint8_t valueX, uint8_t row, const char* label, const char* value);
void DrawSettingRowConst(uint8_t valueX, uint8_t row, const char* label, const char* value);
void DrawMenuScrollBar(uint8_t item, uint8_t count);

// Name tables, indexed by the setting's value.
extern const char speedUnitNames[3][7];
extern const char asiFilterNames[3][5];
extern const char altUnitNames[2][3];
extern const char qnhUnitNames[2][7];
extern const char onOffNames[2][4];
extern const char iasTasNames[2][4];

// Append the current unit's name; the buffer must have room.
void AppendAltUnit(char* text);
void AppendQnhUnit(char* text);
void AppendAsiUnit(char* text);
