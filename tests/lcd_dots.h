// Frame-buffer helpers for the drawing tests: dots as sets, backgrounds and
// the glyph dots the tables say a character has.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/state.h"
#include "dots.h"
#include "lcd/lcd.h"

inline Dots Union(Dots a, const Dots& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// Only the dots that lie on the screen.
inline Dots OnScreen(const Dots& dots) {
    Dots kept;
    for (auto [x, y] : dots)
        if (x >= 0 && x < kLcdWidth && y >= 0 && y < kLcdHeight) kept.insert({x, y});
    return kept;
}

inline Dots Shifted(const Dots& dots, int dx, int dy) {
    Dots moved;
    for (auto [x, y] : dots) moved.insert({x + dx, y + dy});
    return moved;
}

inline std::vector<uint8_t> Frame() {
    return std::vector<uint8_t>(inst.frameBuffer, inst.frameBuffer + kFrameBytes);
}

inline void FillScreen(uint8_t byte) { std::memset(inst.frameBuffer, byte, kFrameBytes); }

// Every dot with x + y even is dark: shows which dots a routine leaves alone.
inline bool CheckerDot(int x, int y) { return (x + y) % 2 == 0; }
inline void Checkerboard() {
    for (int x = 0; x < kLcdWidth; ++x)
        for (int p = 0; p < 8; ++p) inst.frameBuffer[p * kLcdWidth + x] = x % 2 == 0 ? 0x55 : 0xAA;
}
inline Dots CheckerDots() {
    Dots dots;
    for (int y = 0; y < kLcdHeight; ++y)
        for (int x = 0; x < kLcdWidth; ++x)
            if (CheckerDot(x, y)) dots.insert({x, y});
    return dots;
}

// Dot (i, k) of a glyph, column i from the left and row k from the top.
inline bool Glyph8x8Dot(char c, int i, int k) {
    return (font8x8[8 * (uint8_t(c) - 32) + i] >> k) & 1;
}
inline bool SmallGlyphDot(char c, int i, int k) {
    return i < 5 && k >= 0 && k < 7 && ((smallFont[5 * (uint8_t(c) - 32) + i] >> (6 - k)) & 1);
}

// The dark dots of a width x height picture with its top-left dot at (x, y),
// before clipping.
template <typename DarkAt>
Dots PictureDots(int width, int height, int x, int y, DarkAt dark) {
    Dots dots;
    for (int i = 0; i < width; ++i)
        for (int k = 0; k < height; ++k)
            if (dark(i, k)) dots.insert({x + i, y + k});
    return dots;
}

inline Dots Glyph8x8Dots(char c, int x, int y) {
    return PictureDots(8, 8, x, y, [c](int i, int k) { return Glyph8x8Dot(c, i, k); });
}
inline Dots SmallGlyphDots(char c, int x, int y) {
    return PictureDots(5, 7, x, y, [c](int i, int k) { return SmallGlyphDot(c, i, k); });
}

// The glyph dots of a text, one character every `advance` columns.
inline Dots LineDots(const std::string& text, int x, int y, int advance,
                     Dots (*glyphDots)(char, int, int)) {
    Dots dots;
    for (std::size_t n = 0; n < text.size(); ++n)
        dots = Union(dots, glyphDots(text[n], x + advance * int(n), y));
    return dots;
}
inline Dots Text8x8Dots(const std::string& text, int x, int y) {
    return LineDots(text, x, y, 8, Glyph8x8Dots);
}
inline Dots SmallTextDots(const std::string& text, int x, int y) {
    return LineDots(text, x, y, 6, SmallGlyphDots);
}

// Drawing tests start from program start: a blank screen and a zero state.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgram(); }
};
