// The frame buffer as a set of dark dots, and table rows as printed hex, for
// tests that compare drawings and tables.
#pragma once

#include <cstdint>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "core/state.h"
#include "lcd/lcd.h"

using Dots = std::set<std::pair<int, int>>;

inline Dots DarkDots() {
    Dots dots;
    for (int y = 0; y < kLcdHeight; ++y)
        for (int x = 0; x < kLcdWidth; ++x)
            if (LcdGetPixel(uint8_t(x), uint8_t(y))) dots.insert({x, y});
    return dots;
}

// Every dot of columns x0..x1 and rows y0..y1.
inline Dots Box(int x0, int x1, int y0, int y1) {
    Dots dots;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) dots.insert({x, y});
    return dots;
}

inline Dots operator+(Dots a, const Dots& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// "00 C0 F8" as the bytes 0x00, 0xC0, 0xF8: table rows written as they print.
inline std::vector<uint8_t> HexBytes(const char* text) {
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    unsigned value = 0;
    while (in >> std::hex >> value) bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}
