// Power-on, splash and main loop, run as steps; and the window's input
// handlers, which only store into the state.
//
// A step runs from one event pump to the next: one splash frame, or one
// main-loop pass. Events are delivered only between steps, exactly where the
// instrument pumps its messages, so the window, the runner and the tests all
// see the same order of work.
#pragma once

#include <cstdint>

enum class Power : uint8_t { Off, Splash, Running };

// The splash's three 8-bit locals and the run's progress counters; not part of
// the instrument record.
struct Sequence {
    Power power;
    uint8_t frameCounter;   // frames left to draw
    uint8_t titlePos;       // left edge of the maker line; compared signed
    uint8_t modelPos;       // centre of the model line; compared signed
    uint8_t splashFrames;   // frames drawn in this run, 0 to 80
    uint64_t passes;        // main-loop passes in this run
};

extern Sequence seq;

void ResetSequence();

// One step: a splash frame or a main-loop pass, ending with the event pump.
// Returns false when the instrument is off and nothing ran.
bool InstrumentStep();

// Pieces of a step, exposed so tests can check the order of work.
void PowerOnReset();
void SplashFrame();
void MainLoopStart();
void MainLoopPass();
void PresentFrame();
void PumpMessages();

// The splash's web-address line.
extern const char kSplashWebAddress[];

// Window handlers. ON restarts the instrument in place, also while it runs.
void Button1Click();
void Button2Click();
void KeyEvent(uint8_t code);
void Image5Click();   // centre key
void Button3Click();  // knob clockwise
void Button4Click();  // knob anticlockwise
void Image3Click();   // left key
void Image6Click();   // right key
void TrackBar1Change(int32_t position);  // airspeed channel
void TrackBar2Change(int32_t position);  // altitude channel
void Timer1Timer();
