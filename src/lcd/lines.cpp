#include "lcd/lcd.h"

int32_t Abs32(int32_t value) { return value < 0 ? -value : value; }

namespace {
// Each dot reaches the pixel routine with the low 8 bits of its coordinates.
void Plot(int32_t x, int32_t y, DrawMode mode) {
    LcdPutPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y), mode);
}
}  // namespace

// Midpoint walk from (x0, y0); the diagonal step only when the term is above
// zero, so a line and its reverse may differ by a dot.
void LcdLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, DrawMode mode) {
    const int32_t dx = Abs32(x1 - x0);
    const int32_t dy = Abs32(y1 - y0);
    const int32_t sx = x0 > x1 ? -1 : 1;
    const int32_t sy = y0 > y1 ? -1 : 1;
    int32_t x = x0;
    int32_t y = y0;
    if (dx >= dy) {
        int32_t e = 2 * dy - dx;
        for (int32_t i = 0; i <= dx; ++i) {
            Plot(x, y, mode);
            if (e > 0) {
                y += sy;
                e += 2 * dy - 2 * dx;
            } else {
                e += 2 * dy;
            }
            x += sx;
        }
    } else {
        int32_t e = 2 * dx - dy;
        for (int32_t i = 0; i <= dy; ++i) {
            Plot(x, y, mode);
            if (e > 0) {
                x += sx;
                e += 2 * dx - 2 * dy;
            } else {
                e += 2 * dx;
            }
            y += sy;
        }
    }
}

// Four sides, so each corner is drawn twice: in toggle mode corners keep their
// old value.
void LcdRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, DrawMode mode) {
    LcdLine(x0, y0, x0, y1, mode);
    LcdLine(x0, y0, x1, y0, mode);
    LcdLine(x1, y0, x1, y1, mode);
    LcdLine(x0, y1, x1, y1, mode);
}

// Columns x0 up to but not including x1.
void LcdFillRect(uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, DrawMode mode) {
    for (uint8_t x = x0; x < x1; x = static_cast<uint8_t>(x + 1)) LcdLine(x, y0, x, y1, mode);
}
