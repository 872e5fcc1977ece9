#include "core/flight_clock.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/state.h"
#include "fake_host.h"

class FlightClockTest : public InstrumentTest {
protected:
    void SetUp() override {
        InstrumentTest::SetUp();
        LoadDefaultSettings();
    }

    // One pass of the clock, after a slow tick or not.
    void Pass(bool slowTick) {
        if (slowTick) inst.slowTick = 1;
        FlightClockStep();
    }

    // n passes with a slow tick on the first and then every 20th.
    void PassesWithTicks(int n) {
        for (int i = 0; i < n; ++i) Pass(i % 20 == 0);
    }

    uint64_t LogWrites() const { return hookCalls[HookWriteFlightLog]; }

    void StartAutomatically() {
        inst.flightAutoDetect = 1;
        inst.airspeed = inst.takeoffSpeed;
        Pass(true);
        ASSERT_EQ(inst.inFlight, 1);
    }
};

TEST_F(FlightClockTest, DetectionNeedsASlowTickAndTheTakeOffSpeed) {
    struct Case {
        const char* what;
        uint8_t autoDetect;
        uint32_t airspeed;
        bool slowTick;
        uint8_t inFlight;
        uint8_t slowTickAfter;
    } const cases[] = {
        {"at the take-off speed", 1, 30, true, 1, 0},
        {"above it", 1, 200, true, 1, 0},
        {"one below", 1, 29, true, 0, 1},
        {"no slow tick", 1, 30, false, 0, 0},
        {"detection off", 0, 200, true, 0, 1},
    };
    for (const Case& c : cases) {
        ResetProgram();
        LoadDefaultSettings();
        inst.flightAutoDetect = c.autoDetect;
        inst.airspeed = c.airspeed;
        inst.landingCountdown = 4;
        Pass(c.slowTick);
        EXPECT_EQ(inst.inFlight, c.inFlight) << c.what;
        EXPECT_EQ(inst.slowTick, c.slowTickAfter) << c.what;
        EXPECT_EQ(inst.landingCountdown, c.slowTick ? 30 : 4) << c.what;
        // The start pass is the flight's first counted pass.
        EXPECT_EQ(inst.flightPassCount, c.inFlight) << c.what;
    }
}

TEST_F(FlightClockTest, OnTheGroundTheSlowTickStaysAndDetectionRunsEveryPass) {
    inst.flightAutoDetect = 1;
    inst.airspeed = 10;
    Pass(true);
    for (int i = 0; i < 50; ++i) Pass(false);
    EXPECT_EQ(inst.slowTick, 1);
    EXPECT_EQ(inst.landingCountdown, 30);
    inst.airspeed = 30;
    Pass(false);
    EXPECT_EQ(inst.inFlight, 1) << "no new slow tick needed on the ground";
}

TEST_F(FlightClockTest, StartStepsRestartTheTimeOnly) {
    inst.flightLogged = 1;
    inst.flightPassCount = 40;
    inst.flightMinutes = 12;
    inst.flightHours = 3;
    inst.distZeroAuto = 1;
    inst.distanceSum = 500;
    inst.landingCountdown = 7;
    inst.logIndex = 5;
    FlightStartSteps();
    EXPECT_EQ(inst.inFlight, 1);
    EXPECT_EQ(inst.flightLogged, 0);
    EXPECT_EQ(inst.flightPassCount, 0);
    EXPECT_EQ(inst.flightMinutes, 0);
    EXPECT_EQ(inst.flightHours, 0);
    // The manual start's air-distance reset belongs to its screen.
    EXPECT_EQ(inst.distanceSum, 500u);
    EXPECT_EQ(inst.landingCountdown, 7);
    EXPECT_EQ(inst.logIndex, 5);
}

TEST_F(FlightClockTest, ThirtiethPassWithoutASlowTickLands) {
    for (bool logged : {false, true}) {
        FlightStartSteps();
        inst.flightLogged = logged ? 1 : 0;
        const uint64_t writes = LogWrites();
        Pass(true);
        EXPECT_EQ(inst.landingCountdown, 30);
        for (int i = 0; i < 29; ++i) Pass(false);
        EXPECT_EQ(inst.inFlight, 1);
        EXPECT_EQ(inst.landingCountdown, 1);
        Pass(false);
        EXPECT_EQ(inst.inFlight, 0) << "logged " << logged;
        EXPECT_EQ(inst.landingCountdown, 0);
        EXPECT_EQ(LogWrites() - writes, logged ? 1u : 0u) << "logged " << logged;
        // The landing pass counts nothing more.
        EXPECT_EQ(inst.flightPassCount, 30);
        EXPECT_EQ(inst.slowTick, 0) << "detection waits for the next slow tick";
    }
}

TEST_F(FlightClockTest, SlowTicksKeepAFlightGoingWhateverTheSpeed) {
    StartAutomatically();
    inst.airspeed = 0;
    PassesWithTicks(20 * 30);
    EXPECT_EQ(inst.inFlight, 1);
    EXPECT_EQ(inst.flightMinutes, 10);
}

TEST_F(FlightClockTest, CountdownAtZeroEndsNothing) {
    FlightStartSteps();
    inst.landingCountdown = 0;
    for (int i = 0; i < 100; ++i) Pass(false);
    EXPECT_EQ(inst.inFlight, 1);
    EXPECT_EQ(inst.landingCountdown, 0);
    EXPECT_EQ(inst.flightMinutes, 1);
}

TEST_F(FlightClockTest, DetectionOffStillLandsAManualFlight) {
    inst.flightAutoDetect = 0;
    inst.airspeed = 200;
    FlightStartSteps();
    Pass(true);
    for (int i = 0; i < 29; ++i) Pass(false);
    EXPECT_EQ(inst.inFlight, 1);
    Pass(false);
    EXPECT_EQ(inst.inFlight, 0);
    Pass(true);
    EXPECT_EQ(inst.inFlight, 0) << "and never starts one";
}

TEST_F(FlightClockTest, SixtiethPassIsTheFirstFlightMinute) {
    inst.logIndex = 7;
    StartAutomatically();
    PassesWithTicks(58);  // 59 passes with the start pass
    EXPECT_EQ(inst.flightMinutes, 0);
    EXPECT_EQ(inst.flightPassCount, 59);
    EXPECT_EQ(inst.flightLogged, 0);
    EXPECT_EQ(LogWrites(), 0u);
    Pass(false);
    EXPECT_EQ(inst.flightMinutes, 1);
    EXPECT_EQ(inst.flightPassCount, 0);
    EXPECT_EQ(inst.flightLogged, 1);
    EXPECT_EQ(inst.logIndex, 8);
    EXPECT_EQ(inst.logMinuteCount, 1);
    EXPECT_EQ(inst.logPending, 0) << "cleared by the log hook";
    EXPECT_EQ(LogWrites(), 1u);
    // Later minutes write the log but keep the slot.
    PassesWithTicks(60);
    EXPECT_EQ(inst.flightMinutes, 2);
    EXPECT_EQ(inst.logIndex, 8);
    EXPECT_EQ(inst.logMinuteCount, 2);
    EXPECT_EQ(LogWrites(), 2u);
    // Landing after the first minute adds exactly one write.
    for (int i = 0; i < 30; ++i) Pass(false);
    EXPECT_EQ(inst.inFlight, 0);
    EXPECT_EQ(LogWrites(), 3u);
}

TEST_F(FlightClockTest, CountersWrapAtTheMinute) {
    struct Case {
        uint8_t logIndex, logMinuteCount, minutes, hours, logged;
        uint8_t logIndexAfter, logMinuteCountAfter, minutesAfter, hoursAfter;
    } const cases[] = {
        {31, 5, 0, 0, 0, 0, 6, 1, 0},    // slot 31 wraps to 0
        {31, 5, 0, 0, 1, 31, 6, 1, 0},   // a logged flight keeps its slot
        {3, 63, 10, 0, 1, 3, 0, 11, 0},  // minute count 63 wraps to 0
        {3, 0, 59, 0, 1, 3, 1, 0, 1},    // 0:59 to 1:00
        {3, 0, 59, 99, 1, 3, 1, 0, 0},   // 99:59 to 00:00
    };
    for (const Case& c : cases) {
        FlightStartSteps();
        inst.logIndex = c.logIndex;
        inst.logMinuteCount = c.logMinuteCount;
        inst.flightMinutes = c.minutes;
        inst.flightHours = c.hours;
        inst.flightLogged = c.logged;
        inst.flightPassCount = 59;
        Pass(true);
        EXPECT_EQ(inst.logIndex, c.logIndexAfter);
        EXPECT_EQ(inst.logMinuteCount, c.logMinuteCountAfter);
        EXPECT_EQ(inst.flightMinutes, c.minutesAfter);
        EXPECT_EQ(inst.flightHours, c.hoursAfter);
    }
}

// With automatic detection and distZeroAuto, every detection pass at the
// take-off speed restarts the air distance.
TEST_F(FlightClockTest, AutomaticDistanceZeroOnEveryDetectionPass) {
    inst.flightAutoDetect = 1;
    inst.distZeroAuto = 1;
    inst.airspeed = 30;
    inst.slowTick = 1;
    struct Step {
        const char* what;
        bool slowTick;
        uint8_t inFlight;  // before the pass
        uint32_t airspeed;
        bool zeroed;
    } const steps[] = {
        {"ground, at take-off speed", false, 0, 30, true},
        {"ground, again, no new tick", false, 0, 30, true},
        {"ground, below", false, 0, 29, false},
        {"flight, slow tick", true, 1, 30, true},
        {"flight, no slow tick", false, 1, 30, false},
        {"flight, slow tick, below", true, 1, 29, false},
    };
    for (const Step& s : steps) {
        inst.inFlight = s.inFlight;
        if (s.inFlight == 0) inst.slowTick = 1;  // never cleared on the ground
        inst.airspeed = s.airspeed;
        inst.distanceSum = 999;
        Pass(s.slowTick);
        EXPECT_EQ(inst.distanceSum, s.zeroed ? 0u : 999u) << s.what;
    }
    inst.distZeroAuto = 0;
    inst.inFlight = 0;
    inst.airspeed = 30;
    inst.distanceSum = 999;
    Pass(true);
    EXPECT_EQ(inst.distanceSum, 999u) << "distZeroAuto 0";
}
