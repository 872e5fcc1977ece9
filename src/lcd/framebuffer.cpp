#include <cstring>

#include "lcd/lcd.h"

const uint8_t bitMask[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};

namespace {
constexpr int ByteIndex(uint8_t x, uint8_t y) { return (y / 8) * kLcdWidth + x; }
}  // namespace

void LcdClear() { std::memset(inst.frameBuffer, 0, sizeof inst.frameBuffer); }

uint8_t LcdGetPixel(uint8_t x, uint8_t y) {
    if (x >= kLcdWidth || y >= kLcdHeight) return 0;
    return (inst.frameBuffer[ByteIndex(x, y)] & bitMask[y % 8]) != 0 ? 1 : 0;
}

void LcdPutPixel(uint8_t x, uint8_t y, DrawMode mode) {
    if (x >= kLcdWidth || y >= kLcdHeight) return;
    uint8_t& cell = inst.frameBuffer[ByteIndex(x, y)];
    const uint8_t mask = bitMask[y % 8];
    switch (mode) {
    case 0: cell = static_cast<uint8_t>(cell & ~mask); break;
    case 1: cell = static_cast<uint8_t>(cell | mask); break;
    case 2:
        if (LcdGetPixel(x, y))
            cell = static_cast<uint8_t>(cell & ~mask);
        else
            cell = static_cast<uint8_t>(cell | mask);
        break;
    default: break;
    }
}
