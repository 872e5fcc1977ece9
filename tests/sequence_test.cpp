#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sequence.h"
#include "core/state.h"
#include "fake_host.h"
#include "screens/screens.h"

using SequenceTest = InstrumentTest;

namespace {
int8_t Signed(uint8_t v) { return static_cast<int8_t>(v); }
}  // namespace

TEST_F(SequenceTest, SplashPositionsFollowTheSignedComparisons) {
    Button1Click();
    // Positions as drawn in frame n (1-based), from the splash timeline.
    struct Row {
        int frame;
        int title;
        int model;
    } const rows[] = {{1, 114, -20}, {2, 112, -20}, {14, 88, -20}, {15, 86, -18},
                      {52, 12, 56},  {53, 10, 58},  {80, 10, 58}};
    int next = 0;
    for (int frame = 1; frame <= 80; ++frame) {
        // Before the frame draws, seq holds the positions it will use.
        const int title = frame <= 53 ? 116 - 2 * frame : 10;
        const int model = frame <= 14 ? -20 : std::min(58, -20 + 2 * (frame - 14));
        if (frame > 1) {
            EXPECT_EQ(seq.titlePos, title) << "frame " << frame;
            EXPECT_EQ(Signed(seq.modelPos), model) << "frame " << frame;
        }
        if (next < 7 && rows[next].frame == frame) {
            EXPECT_EQ(seq.titlePos, rows[next].title) << "frame " << frame;
            EXPECT_EQ(Signed(seq.modelPos), rows[next].model) << "frame " << frame;
            ++next;
        }
        ASSERT_EQ(seq.power, Power::Splash);
        InstrumentStep();
        EXPECT_EQ(seq.splashFrames, frame);
    }
    EXPECT_EQ(host.commLines.size(), 0u) << "no comm line during the splash";
    EXPECT_EQ(host.presents, 80);
    EXPECT_EQ(host.pumps, 80);
    InstrumentStep();
    EXPECT_EQ(seq.power, Power::Running);
    EXPECT_EQ(seq.passes, 1u);
    EXPECT_EQ(inst.currentScreen, ScreenMain);
}

TEST_F(SequenceTest, APassRunsItsStepsInOrder) {
    PowerOnThroughSplash();
    host.recordTrace = true;
    InstrumentStep();
    const std::vector<std::string> want = {"comm", "calibrate", "lamp dark", "keyfast", "hide",
                                           "present", "show", "pump"};
    EXPECT_EQ(host.trace, want);
}

TEST_F(SequenceTest, MenuTimeOutStrikesBetweenTheBoxReadAndTheLamp) {
    PowerOnThroughSplash();
    InstrumentStep();
    inst.currentScreen = ScreenMainMenu;
    inst.menuTimeout = 0;
    inst.menuItem = 3;
    const uint64_t saves = hookCalls[HookSaveSettings];
    InstrumentStep();
    EXPECT_EQ(inst.currentScreen, ScreenMain);
    EXPECT_EQ(inst.menuTimeout, 30);
    EXPECT_EQ(inst.menuItem, 3) << "the time-out leaves the cursor";
    EXPECT_EQ(hookCalls[HookSaveSettings], saves + 1);
    // On the main screen a time-out of 0 does nothing.
    inst.menuTimeout = 0;
    InstrumentStep();
    EXPECT_EQ(hookCalls[HookSaveSettings], saves + 1);
    EXPECT_EQ(inst.menuTimeout, 0);
}

TEST_F(SequenceTest, BoxesAndLampAreReadAndSetEveryPass) {
    PowerOnThroughSplash();
    host.calibrate = true;
    host.keyFast = true;
    InstrumentStep();
    EXPECT_EQ(inst.calibrateEnabled, 1);
    EXPECT_EQ(inst.adjustStep, 10);
    host.calibrate = false;
    host.keyFast = false;
    InstrumentStep();
    EXPECT_EQ(inst.calibrateEnabled, 0);
    EXPECT_EQ(inst.adjustStep, 1);

    struct Case {
        uint8_t active, acknowledged, phase;
        bool bright;
    } const cases[] = {{1, 0, 1, true}, {1, 0, 0, false}, {1, 1, 1, false}, {0, 0, 1, false}};
    for (const Case& c : cases) {
        // At 0 mph the low alarm holds in flight and is quiet on the ground.
        inst.inFlight = c.active;
        inst.alarmActive = c.active;
        inst.alarmAcknowledged = c.acknowledged;
        inst.blinkPhase = c.phase;
        const uint64_t on = hookCalls[HookAlarmOutputOn];
        const uint64_t off = hookCalls[HookAlarmOutputOff];
        MainLoopPass();
        EXPECT_EQ(host.lamp, c.bright);
        EXPECT_EQ(hookCalls[HookAlarmOutputOn] - on, c.bright ? 1u : 0u);
        EXPECT_EQ(hookCalls[HookAlarmOutputOff] - off, c.bright ? 0u : 1u);
    }
}

TEST_F(SequenceTest, BacklightHookFollowsTheSettingEveryPass) {
    PowerOnThroughSplash();
    const uint64_t on = hookCalls[HookBacklightOn];
    InstrumentStep();
    EXPECT_EQ(hookCalls[HookBacklightOn], on + 1);
    inst.backlight = 0;
    InstrumentStep();
    EXPECT_EQ(hookCalls[HookBacklightOff], 1u);
}

TEST_F(SequenceTest, AKeyPressedDuringTheSplashReachesTheFirstPass) {
    Button1Click();
    InstrumentStep();
    Image6Click();
    for (int i = 1; i < 80; ++i) InstrumentStep();
    EXPECT_EQ(inst.pendingKey, KeyRight);
    // The first pass's screen consumes it.
    InstrumentStep();
    EXPECT_EQ(inst.pendingKey, 0);
}

TEST_F(SequenceTest, OffDuringTheSplashIsLost) {
    Button1Click();
    for (int i = 0; i < 10; ++i) InstrumentStep();
    Button2Click();
    EXPECT_EQ(seq.power, Power::Splash);
    for (int i = 10; i < 80; ++i) InstrumentStep();
    InstrumentStep();
    EXPECT_EQ(seq.power, Power::Running);
    EXPECT_EQ(inst.powerOffRequest, 0);
}

TEST_F(SequenceTest, OffEndsTheLoopAtOnceAndKeepsTheLastFrame) {
    PowerOnThroughSplash();
    InstrumentStep();
    InstrumentStep();
    inst.frameBuffer[10] = 0x5A;  // as if the last pass had drawn it
    const int presents = host.presents;
    Button2Click();
    EXPECT_EQ(seq.power, Power::Off);
    EXPECT_FALSE(InstrumentStep());
    EXPECT_EQ(host.presents, presents);
    EXPECT_EQ(inst.frameBuffer[10], 0x5A);
    EXPECT_EQ(host.commLines.size(), 2u);
}

TEST_F(SequenceTest, OnWhileRunningRestartsInPlace) {
    PowerOnThroughSplash();
    for (int i = 0; i < 5; ++i) InstrumentStep();
    inst.asiUnit = 2;
    inst.inFlight = 1;
    Button1Click();
    EXPECT_EQ(seq.power, Power::Splash);
    EXPECT_EQ(seq.splashFrames, 0);
    EXPECT_EQ(seq.passes, 0u);
    EXPECT_EQ(inst.asiUnit, 0);
    EXPECT_EQ(inst.inFlight, 0);
    EXPECT_EQ(hookCalls[HookWriteFlightLog], 0u);
    for (int i = 0; i < 80; ++i) InstrumentStep();
    EXPECT_EQ(seq.power, Power::Splash);
    InstrumentStep();
    EXPECT_EQ(seq.power, Power::Running);
    // One OFF stops the restarted run.
    Button2Click();
    EXPECT_EQ(seq.power, Power::Off);
}

TEST_F(SequenceTest, EachPassSendsOneEmptyCommLine) {
    PowerOnThroughSplash();
    for (int i = 0; i < 7; ++i) InstrumentStep();
    ASSERT_EQ(host.commLines.size(), 7u);
    for (const std::string& line : host.commLines) EXPECT_EQ(line, "");
}

TEST_F(SequenceTest, PowerOnClearsTheAirspeedChannelButNotTheAltitudeChannel) {
    TrackBar1Change(1234);
    TrackBar2Change(3200);
    Button1Click();
    EXPECT_EQ(inst.asiAdcInput, 0);
    EXPECT_EQ(inst.altAdcInput, 3200);
}

TEST(Handlers, AKeyWaitsAloneAndEveryKeyReloadsTheTimeOut) {
    ResetProgram();
    Image3Click();
    EXPECT_EQ(inst.pendingKey, KeyLeft);
    inst.menuTimeout = 4;
    Button3Click();
    EXPECT_EQ(inst.pendingKey, KeyLeft) << "the second key is lost";
    EXPECT_EQ(inst.menuTimeout, 30);
    struct Click {
        void (*handler)();
        uint8_t code;
    } const clicks[] = {{Image5Click, KeyEnter}, {Button3Click, KeyKnobCw}, {Button4Click, KeyKnobCcw},
                        {Image3Click, KeyLeft},  {Image6Click, KeyRight}};
    for (const Click& c : clicks) {
        inst.pendingKey = 0;
        c.handler();
        EXPECT_EQ(inst.pendingKey, c.code);
    }
}

TEST(Handlers, TimerBlinksEveryElevenTicksAndSlowTicksEveryTwenty) {
    ResetProgram();
    inst.menuTimeout = 2;
    for (int i = 1; i <= 10; ++i) Timer1Timer();
    EXPECT_EQ(inst.blinkPhase, 0);
    Timer1Timer();
    EXPECT_EQ(inst.blinkPhase, 1);
    for (int i = 12; i <= 19; ++i) Timer1Timer();
    EXPECT_EQ(inst.slowTick, 0);
    EXPECT_EQ(inst.menuTimeout, 2);
    Timer1Timer();
    EXPECT_EQ(inst.slowTick, 1);
    EXPECT_EQ(inst.menuTimeout, 1);
    for (int i = 0; i < 40; ++i) Timer1Timer();
    EXPECT_EQ(inst.menuTimeout, 0) << "stops at zero";
    EXPECT_EQ(inst.blinkPhase, 1) << "five changes in 60 ticks";
}

// The true airspeed uses the altitude of the same update: slider 3200 reads
// 1100 ft (122 mph shows 124), slider 2715 reads 5032 ft (it shows 132).
TEST_F(SequenceTest, AltitudeIsUpdatedBeforeAirspeedInPassesAndSplashFrames) {
    TrackBar2Change(3200);
    PowerOnThroughSplash();
    InstrumentStep();
    inst.asiFilter = 0;
    inst.asiTas = 1;
    TrackBar1Change(1000);
    InstrumentStep();
    ASSERT_EQ(inst.altitudeFt, 1100);
    ASSERT_EQ(inst.airspeed, 124u);
    TrackBar2Change(2715);
    InstrumentStep();
    EXPECT_EQ(inst.altitudeFt, 5032);
    EXPECT_EQ(inst.airspeed, 132u) << "pass";

    Button1Click();
    inst.asiFilter = 0;
    inst.asiTas = 1;
    TrackBar1Change(1000);
    InstrumentStep();
    TrackBar2Change(3200);
    InstrumentStep();  // the sensor updates of the first frame
    EXPECT_EQ(inst.altitudeFt, 1100);
    EXPECT_EQ(inst.airspeed, 124u) << "splash frame";
}

// Each update adds its speed to the air distance, which power-on clears.
TEST_F(SequenceTest, TheSplashRunsTheSensorUpdatesOncePerFrame) {
    Button1Click();
    inst.asiFilter = 0;
    TrackBar1Change(1000);  // 122 mph
    for (int i = 0; i < 80; ++i) InstrumentStep();
    EXPECT_EQ(inst.distanceSum, 79u * 122) << "the last frame's updates follow its pump";
    InstrumentStep();
    EXPECT_EQ(inst.distanceSum, 81u * 122) << "80 frames and the first pass";
}

TEST_F(SequenceTest, TheMainLoopStartsOnTheMainScreenWithTheCursorAtTheTop) {
    Button1Click();
    for (int i = 0; i < 80; ++i) InstrumentStep();
    inst.currentScreen = ScreenMainMenu;
    inst.menuItem = 4;
    inst.menuTimeout = 30;
    inst.powerOffRequest = 1;
    const uint64_t alarmOffs = hookCalls[HookAlarmOutputOff];
    InstrumentStep();
    EXPECT_EQ(seq.power, Power::Running);
    EXPECT_EQ(inst.currentScreen, ScreenMain);
    EXPECT_EQ(inst.menuItem, 0);
    EXPECT_EQ(inst.powerOffRequest, 0);
    EXPECT_EQ(hookCalls[HookAlarmOutputOff] - alarmOffs, 2u)
        << "once at the start, once in the pass";
}

// Values only a debugger stores: each test reads exactly as written, 1 is
// not "non-zero" and the counters catch up from beyond their range.
TEST_F(SequenceTest, OutputsAndTimerReadTheirFieldsExactly) {
    PowerOnThroughSplash();
    inst.inFlight = 1;  // the low alarm holds at 0 mph
    struct Case {
        uint8_t backlight, phase;
        bool backlightOn, bright;
    } const cases[] = {{1, 1, true, true}, {2, 1, false, true}, {1, 2, true, false}};
    for (const Case& c : cases) {
        inst.backlight = c.backlight;
        inst.alarmAcknowledged = 0;
        inst.blinkPhase = c.phase;
        const uint64_t on = hookCalls[HookBacklightOn];
        MainLoopPass();
        EXPECT_EQ(hookCalls[HookBacklightOn] - on, c.backlightOn ? 1u : 0u) << int{c.backlight};
        EXPECT_EQ(host.lamp, c.bright) << "blinkPhase " << int{c.phase};
    }

    inst.blinkCount = 15;
    inst.blinkPhase = 7;
    inst.slowTickCount = 30;
    inst.slowTick = 0;
    Timer1Timer();
    EXPECT_EQ(inst.blinkCount, 0);
    EXPECT_EQ(inst.blinkPhase, 0) << "anything but 0 inverts to 0";
    EXPECT_EQ(inst.slowTickCount, 0);
    EXPECT_EQ(inst.slowTick, 1);
}
