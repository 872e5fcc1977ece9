// The 32-byte working buffer of the constant-string twins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// A copy of at most 31 characters of `source`, always terminated: a longer
// text is cut, never copied past the buffer.
struct WorkText {
    static constexpr std::size_t kCapacity = 32;
    char text[kCapacity];

    explicit WorkText(const char* source) {
        std::size_t n = 0;
        while (n < kCapacity - 1 && source[n] != '\0') ++n;
        std::memcpy(text, source, n);
        text[n] = '\0';
    }
};

// A text's length as the drawing routines count it: in 8 bits.
inline uint8_t TextLength(const char* text) { return static_cast<uint8_t>(std::strlen(text)); }
