#include <cstddef>

#include "lcd/lcd.h"
#include "lcd/work_text.h"

namespace {

constexpr uint8_t kFirstCode = 32;
constexpr uint8_t kLast8x8Code = 131;
constexpr uint8_t kLastSmallCode = 127;

// The glyph of a character, or nullptr for a code the font does not hold.
const uint8_t* Glyph8x8(char c) {
    const auto code = static_cast<uint8_t>(c);
    if (code < kFirstCode || code > kLast8x8Code) return nullptr;
    return &font8x8[8 * (code - kFirstCode)];
}

const uint8_t* GlyphSmall(char c) {
    const auto code = static_cast<uint8_t>(c);
    if (code < kFirstCode || code > kLastSmallCode) return nullptr;
    return &smallFont[5 * (code - kFirstCode)];
}

// Transparent: only glyph dots are set. Inverse: the whole cell is rewritten,
// glyph light on dark.
void Cell8x8(uint8_t x, uint8_t y, const uint8_t* glyph, bool inverse) {
    for (uint8_t i = 0; i < 8; ++i)
        for (uint8_t k = 0; k < 8; ++k) {
            const auto px = static_cast<uint8_t>(x + i);
            const auto py = static_cast<uint8_t>(y + k);
            if (glyph[i] & bitMask[k])
                LcdPutPixel(px, py, inverse ? 0 : 1);
            else if (inverse)
                LcdPutPixel(px, py, 1);
        }
}

// Each glyph row becomes two screen rows; light glyph dots are never touched.
void CellDoubleHeight(uint8_t x, uint8_t y, const uint8_t* glyph, DrawMode mode) {
    for (uint8_t i = 0; i < 8; ++i)
        for (uint8_t k = 0; k < 8; ++k) {
            if (!(glyph[i] & bitMask[k])) continue;
            const auto px = static_cast<uint8_t>(x + i);
            LcdPutPixel(px, static_cast<uint8_t>(y + 2 * k), mode);
            LcdPutPixel(px, static_cast<uint8_t>(y + 2 * k + 1), mode);
        }
}

// Six columns (the sixth blank) by eight rows from the row above the glyph.
// Inverted, the light dots are set and the glyph's own dots left alone.
void CellSmall(uint8_t x, uint8_t y, const uint8_t* glyph, bool inverted) {
    for (uint8_t i = 0; i < 6; ++i) {
        const uint8_t column = i < 5 ? glyph[i] : 0;
        for (uint8_t k = 0; k < 8; ++k) {
            const bool dark = (column >> (7 - k)) & 1;
            if (dark != inverted)
                LcdPutPixel(static_cast<uint8_t>(x + i), static_cast<uint8_t>(y + k - 1), 1);
        }
    }
}

}  // namespace

// A code without a glyph draws nothing but still takes its cell.
void LcdText(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight, DrawMode drawMode,
             uint8_t inverse) {
    for (const char* c = text; *c != '\0'; ++c) {
        if (const uint8_t* glyph = Glyph8x8(*c)) {
            if (doubleHeight != 1)
                Cell8x8(x, y, glyph, inverse == 1);
            else if (drawMode == 0 || drawMode == 1)
                CellDoubleHeight(x, y, glyph, drawMode);
        }
        x = static_cast<uint8_t>(x + 8);
    }
}

void LcdTextCentred(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight, DrawMode drawMode,
                    uint8_t inverse) {
    LcdText(static_cast<uint8_t>(x - 4 * TextLength(text)), y, text, doubleHeight, drawMode,
            inverse);
}

void LcdTextConst(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight, DrawMode drawMode,
                  uint8_t inverse) {
    WorkText copy(text);
    LcdText(x, y, copy.text, doubleHeight, drawMode, inverse);
}

void LcdTextCentredConst(uint8_t x, uint8_t y, const char* text, uint8_t doubleHeight,
                         DrawMode drawMode, uint8_t inverse) {
    WorkText copy(text);
    LcdTextCentred(x, y, copy.text, doubleHeight, drawMode, inverse);
}

void LcdSmallText(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom) {
    bool inverted = false;
    std::size_t n = 0;
    for (const char* c = text; *c != '\0'; ++c, ++n) {
        if (n == inverseFrom) inverted = true;
        if (const uint8_t* glyph = GlyphSmall(*c)) CellSmall(x, y, glyph, inverted);
        x = static_cast<uint8_t>(x + 6);
    }
}

void LcdSmallTextCentred(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom) {
    LcdSmallText(static_cast<uint8_t>(x - 3 * TextLength(text)), y, text, inverseFrom);
}

void LcdSmallTextConst(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom) {
    WorkText copy(text);
    LcdSmallText(x, y, copy.text, inverseFrom);
}

void LcdSmallTextCentredConst(uint8_t x, uint8_t y, const char* text, uint8_t inverseFrom) {
    WorkText copy(text);
    LcdSmallTextCentred(x, y, copy.text, inverseFrom);
}
