#include "core/sequence.h"

#include "core/flight_clock.h"
#include "core/host.h"
#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/screens.h"
#include "sensors/sensors.h"

Sequence seq;

const char kSplashWebAddress[] = "www.koz-avionics.eu";

namespace {
Host* host = nullptr;

// The loop's test right after the event pump: OFF ends the run only from the
// main loop; during the splash the request waits and is then cleared.
void LoopTest() {
    if (seq.power == Power::Running && inst.powerOffRequest != 0) seq.power = Power::Off;
}
}  // namespace

void SetHost(Host* h) { host = h; }
Host* CurrentHost() { return host; }

void ResetSequence() { seq = Sequence{}; }

void PresentFrame() {
    if (host) host->PresentFrame();
}

void PumpMessages() {
    if (host) host->PumpMessages();
}

void PowerOnReset() {
    ResetMaxValues();
    LoadDefaultSettings();
    ResetCalibration();
    inst.alarmActive = 0;
    inst.alarmAcknowledged = 0;
    inst.asiAdcInput = 0;
    inst.logMinuteCount = 0;
    inst.distanceSum = 0;
    inst.flightHours = 0;
    inst.flightMinutes = 0;
    inst.logIndex = 0;
    inst.logPending = 0;
    inst.inFlight = 0;
    inst.flightLogged = 0;
    inst.calibrateEnabled = 0;
    inst.pendingKey = 0;
}

// Steps 1 to 8 of a splash frame; the pump and the sensor updates that
// follow it belong to the step boundary (InstrumentStep).
void SplashFrame() {
    LcdClear();
    LcdTextConst(seq.titlePos, 5, "KOZ AVIONICS", 1, 1, 0);
    // Signed: the title stops at 10, the model line starts left of the screen.
    if (static_cast<int8_t>(seq.titlePos) > 10) seq.titlePos = static_cast<uint8_t>(seq.titlePos - 2);
    LcdTextCentredConst(seq.modelPos, 28, "QTR-5", 1, 1, 0);
    if (static_cast<int8_t>(seq.titlePos) < 88 && static_cast<int8_t>(seq.modelPos) < 57)
        seq.modelPos = static_cast<uint8_t>(seq.modelPos + 2);
    LcdSmallTextCentredConst(57, 56, kSplashWebAddress, 100);
    LcdSmallTextConst(85, 40, "1.11", 100);
    PresentFrame();
}

void MainLoopStart() {
    AlarmOutputOff();
    inst.powerOffRequest = 0;
    inst.currentScreen = ScreenMain;
    inst.menuItem = 0;
}

// Steps 1 to 13 of a main-loop pass; step 14, the pump, ends the step.
void MainLoopPass() {
    FlightClockStep();
    UpdateAltitude();
    UpdateAirspeed();
    if (host) host->AppendCommLine(inst.commLine);
    inst.calibrateEnabled = (host && host->CalibrateTicked()) ? 1 : 0;
    if (inst.menuTimeout == 0 && inst.currentScreen != ScreenMain) {
        inst.menuTimeout = 30;
        SaveSettings();
        inst.currentScreen = ScreenMain;
    }
    if (inst.backlight == 1)
        BacklightOn();
    else
        BacklightOff();
    const bool lit = inst.alarmActive != 0 && inst.alarmAcknowledged == 0 && inst.blinkPhase == 1;
    if (lit)
        AlarmOutputOn();
    else
        AlarmOutputOff();
    if (host) host->SetLamp(lit);
    inst.adjustStep = (host && host->KeyFastTicked()) ? 10 : 1;
    if (host) host->SetViewVisible(false);
    LcdClear();
    if (inst.currentScreen) inst.currentScreen();
    PresentFrame();
    if (host) host->SetViewVisible(true);
    ++seq.passes;
}

bool InstrumentStep() {
    if (seq.power == Power::Off) return false;
    if (seq.power == Power::Splash) {
        if (seq.splashFrames > 0) {
            // The tail of the previous frame, after its pump.
            UpdateAltitude();
            UpdateAirspeed();
            seq.frameCounter = static_cast<uint8_t>(seq.frameCounter - 1);
            if (seq.frameCounter == 0) {
                MainLoopStart();
                seq.power = Power::Running;
            }
        }
        if (seq.power == Power::Splash) {
            SplashFrame();
            ++seq.splashFrames;
            PumpMessages();
            return true;
        }
    }
    // Running: the loop condition was tested after the previous pump (and is
    // clear right after MainLoopStart), so a pass always runs here.
    MainLoopPass();
    PumpMessages();
    LoopTest();
    return true;
}

void Button1Click() {
    // Restart in place: no nested run, whatever state the instrument is in.
    PowerOnReset();
    seq.power = Power::Splash;
    seq.frameCounter = 80;
    seq.titlePos = 114;
    seq.modelPos = 236;
    seq.splashFrames = 0;
    seq.passes = 0;
}

void Button2Click() {
    inst.powerOffRequest = 1;
    // Events run inside the pump, and the loop tests the request right after it.
    LoopTest();
}

void KeyEvent(uint8_t code) {
    if (inst.pendingKey == 0) inst.pendingKey = code;
    inst.menuTimeout = 30;
}

void Image5Click() { KeyEvent(KeyEnter); }
void Button3Click() { KeyEvent(KeyKnobCw); }
void Button4Click() { KeyEvent(KeyKnobCcw); }
void Image3Click() { KeyEvent(KeyLeft); }
void Image6Click() { KeyEvent(KeyRight); }

void TrackBar1Change(int32_t position) { inst.asiAdcInput = position; }
void TrackBar2Change(int32_t position) { inst.altAdcInput = position; }

void Timer1Timer() {
    const uint8_t c = inst.blinkCount;
    inst.blinkCount = static_cast<uint8_t>(c + 1);
    if (c > 9) {
        inst.blinkCount = 0;
        inst.blinkPhase = inst.blinkPhase == 0 ? 1 : 0;
    }
    const uint8_t s = inst.slowTickCount;
    inst.slowTickCount = static_cast<uint8_t>(s + 1);
    if (s >= 19) {
        inst.slowTickCount = 0;
        inst.slowTick = 1;
        if (inst.menuTimeout > 0) inst.menuTimeout = static_cast<uint8_t>(inst.menuTimeout - 1);
    }
}
