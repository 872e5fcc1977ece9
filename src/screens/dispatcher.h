// What the screens share: what a key means in a list and on a value, cursor
// movement, guarded name lookups, and the texts of the flight screens.
#pragma once

#include <cstddef>
#include <cstdint>

// In a list: +1 for the next row (knob clockwise, right key), -1 for the
// previous row (knob anticlockwise, left key), 0 for any other key.
int8_t ListStep(uint8_t key);
// On a value being edited: +1 to raise it (knob clockwise, left key), -1 to
// lower it (knob anticlockwise, right key), 0 for any other key.
int8_t ValueStep(uint8_t key);

// Goes back to returnScreen; home when none was set, which only a debugger
// can arrange, so the LCD is never left without a screen.
void GoToReturnScreen();

// Moves menuItem one row as key means in a list, without wrapping: never
// below 0, never above lastRow.
void MoveListCursor(uint8_t key, uint8_t lastRow);

// The name of a setting's value; an empty text for a value beyond the table,
// which only a debugger can store.
template <std::size_t Count, std::size_t Stride>
const char* NameOf(const char (&table)[Count][Stride], uint8_t value) {
    return value < Count ? table[value] : "";
}

// Texts of the main display and the flight information screen, defined with
// those screens. Each buffer holds the widest text its fields can give:
// QNH up to "126833.63" and a 3-character unit; distance up to "959805.8"
// (distanceSum 2^32 - 1 in kilometres); time up to "255:255".
constexpr std::size_t kQnhTextSize = 16;
constexpr std::size_t kDistanceTextSize = 16;
constexpr std::size_t kFlightTimeTextSize = 8;

// qnh in the unit of qnhUnit, followed by the unit's name: "1013mB".
void FormatQnhText(char (&text)[kQnhTextSize]);
// Air distance from distanceSum in the unit that goes with asiUnit: "12.3";
// "???.?" when the count of tenths is 65535.
void FormatDistanceText(char (&text)[kDistanceTextSize]);
// Flight time as hours and minutes: "01:05", or "01.05" with hourFractDecimal.
void FormatFlightTimeText(char (&text)[kFlightTimeTextSize]);
