// Pieces shared by the setup, log and service screens: the speed limits of
// the units, the two speed steppers, value flips and cursor moves.
#pragma once

#include <cstdint>

// The instrument's airspeed range, 16 to 250 mph, in one speed unit.
struct SpeedLimits {
    uint32_t lowest;
    uint32_t highest;
};

// Limits of asiUnit 0 mph, 1 km/h, 2 knots; any other unit reads as mph,
// as the airspeed conversion does.
SpeedLimits SpeedLimitsOf(uint8_t asiUnit);

// Alarm speeds: a step may land exactly on a limit; only a step past it
// jumps to the opposite limit.
uint32_t AlarmSpeedUp(uint32_t speed, uint32_t step, SpeedLimits limits);
uint32_t AlarmSpeedDown(uint32_t speed, uint32_t step, SpeedLimits limits);

// Take-off speed: a step that would reach or pass a limit lands on the
// opposite limit, so stepping never lands on a limit.
uint32_t TakeoffSpeedUp(uint32_t speed, uint32_t step, SpeedLimits limits);
uint32_t TakeoffSpeedDown(uint32_t speed, uint32_t step, SpeedLimits limits);

// Two-state switches: 0 becomes 1, any other value 0.
uint8_t Flipped(uint8_t value);
// Choices among three: 0, 1, 2 and round again, either way.
uint8_t NextOfThree(uint8_t value);
uint8_t PreviousOfThree(uint8_t value);

// Leaves a setup screen for the main menu, which shows again the item `item`
// the screen was opened from; not editing.
void ReturnToMainMenu(uint8_t item);

// Row 0 of every setup list, inverted while the cursor is on it.
void DrawDoneRow();

// One key on a list of rows 0 to lastRow, then the key is consumed. Not
// editing: KeyEnter calls `enter`, the knob clockwise and KeyRight move the
// cursor down, the knob anticlockwise and KeyLeft up, never wrapping. Editing:
// KeyEnter leaves edit mode, the knob clockwise and KeyLeft call change(true),
// the knob anticlockwise and KeyRight change(false).
void HandleListKey(uint8_t lastRow, void (*enter)(), void (*change)(bool up));
