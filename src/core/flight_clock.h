// Flight detection, landing countdown and flight time.
#pragma once

// Run once at the start of every main-loop pass.
void FlightClockStep();

// Shared with the START/STOP FLIGHT screen.
void FlightStartSteps();
void FlightEndSteps();
