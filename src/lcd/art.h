// Turns text-art pictures into the byte tables at compile time.
//
// A picture is an array of strings, one a dot row, '#' for a dark dot and
// '.' for a light one. Bytes come out one a column of eight rows, bit 0 at
// the top (the frame buffer's layout), or MSB first for the small font.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace art {

constexpr bool Dark(char c) { return c == '#'; }

// Rows [row0, row0 + 8) of a picture, columns [col0, col0 + width), as
// column bytes with bit 0 at the top. Rows past the picture read light.
template <std::size_t Rows>
constexpr void PackPageLsbTop(const char* const (&picture)[Rows], std::size_t row0,
                              std::size_t col0, std::size_t width, uint8_t* out) {
    for (std::size_t i = 0; i < width; ++i) {
        uint8_t byte = 0;
        for (std::size_t k = 0; k < 8; ++k) {
            const std::size_t r = row0 + k;
            if (r < Rows && Dark(picture[r][col0 + i]))
                byte = static_cast<uint8_t>(byte | (1u << k));
        }
        out[i] = byte;
    }
}

// Columns [0, width) of a picture of at most eight rows as bytes with the
// most significant bit first: the bottom row is bit 0, and the bits above the
// picture's top row stay 0.
template <std::size_t Rows>
constexpr void PackColumnsMsbFirst(const char* const (&picture)[Rows], std::size_t width,
                                   uint8_t* out) {
    static_assert(Rows <= 8, "a column byte holds at most eight rows");
    for (std::size_t i = 0; i < width; ++i) {
        uint8_t byte = 0;
        for (std::size_t r = 0; r < Rows; ++r)
            if (Dark(picture[r][i])) byte = static_cast<uint8_t>(byte | (1u << (Rows - 1 - r)));
        out[i] = byte;
    }
}

// Length of a picture row, to check pictures at compile time.
constexpr std::size_t RowLength(const char* row) {
    std::size_t n = 0;
    while (row[n] != '\0') ++n;
    return n;
}

// Every row present, `width` long and drawn only with '#' and '.'.
template <std::size_t Rows>
constexpr bool AllRowsAre(const char* const (&picture)[Rows], std::size_t width) {
    for (std::size_t r = 0; r < Rows; ++r)
        if (picture[r] == nullptr || RowLength(picture[r]) != width) return false;
    for (std::size_t r = 0; r < Rows; ++r)
        for (std::size_t i = 0; i < width; ++i)
            if (picture[r][i] != '#' && picture[r][i] != '.') return false;
    return true;
}

// One glyph of a font: its character code and its picture.
template <std::size_t Rows>
struct Glyph {
    int code;
    const char* rows[Rows];
};

// Every glyph in code order from firstCode, each picture `width` columns wide.
template <std::size_t Rows, std::size_t Count>
constexpr bool FontIsWellFormed(const Glyph<Rows> (&glyphs)[Count], int firstCode,
                                std::size_t width) {
    for (std::size_t g = 0; g < Count; ++g) {
        if (glyphs[g].code != firstCode + static_cast<int>(g)) return false;
        if (!AllRowsAre(glyphs[g].rows, width)) return false;
    }
    return true;
}

}  // namespace art
