#include <gtest/gtest.h>

#include <string>

#include "core/state.h"
#include "screen_fixture.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"

using FlightScreensTest = ScreenTest;

TEST(FlightTexts, DistanceInTheUnitOfTheSpeed) {
    struct Row {
        uint32_t sum;
        uint8_t unit;
        const char* text;
    } const rows[] = {
        {88560, 0, "12.3"},
        {88560, 1, "19.8"},
        {88560, 2, "10.7"},
        {88560, 7, "12.3"},
        {719, 0, "0.0"},
        {720, 0, "0.1"},
        {47185200, 0, "???.?"},
        {47185919, 1, "???.?"},
        {47185920, 0, "6553.6"},
        // Widest texts: d * 1609 would overflow 32 bits here.
        {4294967295u, 0, "596523.2"},
        {4294967295u, 1, "959805.8"},
        {4294967295u, 2, "518378.7"},
    };
    for (const Row& r : rows) {
        ResetProgram();
        inst.distanceSum = r.sum;
        inst.asiUnit = r.unit;
        char text[kDistanceTextSize];
        FormatDistanceText(text);
        EXPECT_STREQ(text, r.text) << "sum " << r.sum << " unit " << int(r.unit);
    }
}

TEST(FlightTexts, FlightTimeSeparator) {
    struct Row {
        uint8_t hours;
        uint8_t minutes;
        uint8_t decimal;
        const char* text;
    } const rows[] = {
        {1, 5, 0, "01:05"},   {1, 5, 1, "01.05"}, {1, 30, 1, "01.30"},      {0, 0, 0, "00:00"},
        {99, 59, 0, "99:59"}, {1, 5, 2, "01:05"}, {255, 255, 1, "255.255"},
    };
    for (const Row& r : rows) {
        ResetProgram();
        inst.flightHours = r.hours;
        inst.flightMinutes = r.minutes;
        inst.hourFractDecimal = r.decimal;
        char text[kFlightTimeTextSize];
        FormatFlightTimeText(text);
        EXPECT_STREQ(text, r.text);
    }
}

TEST_F(FlightScreensTest, StartStopKeys) {
    struct Row {
        uint8_t inFlight;
        uint8_t key;
        ScreenFn to;
    } const rows[] = {
        {0, KeyEnter, ScreenMain},           {0, KeyKnobCw, ScreenMain},
        {0, KeyKnobCcw, ScreenMain},         {0, KeyRight, ScreenMain},
        {1, KeyEnter, ScreenMain},           {1, KeyRight, ScreenMain},
        {0, KeyNone, ScreenFlightStartStop}, {0, 6, ScreenFlightStartStop},
    };
    for (const Row& r : rows) {
        SetUp();
        inst.currentScreen = ScreenFlightStartStop;
        inst.inFlight = r.inFlight;
        inst.flightLogged = 1;
        inst.distZeroAuto = 1;
        inst.distanceSum = 5000;
        Press(r.key);
        const std::string what =
            "in flight " + std::to_string(r.inFlight) + " key " + std::to_string(r.key);
        EXPECT_EQ(inst.currentScreen, r.to) << what;
        // Only the left key starts or stops.
        EXPECT_EQ(inst.inFlight, r.inFlight) << what;
        EXPECT_EQ(inst.distanceSum, 5000u) << what;
        EXPECT_EQ(Calls(HookWriteFlightLog), 0u) << what;
        EXPECT_EQ(inst.pendingKey, 0);
    }
}

TEST_F(FlightScreensTest, ManualStartResetsTheDistanceOnlyWhenSetTo) {
    for (uint8_t zero : {0, 1}) {
        SetUp();
        inst.currentScreen = ScreenFlightStartStop;
        inst.distZeroAuto = zero;
        inst.distanceSum = 5000;
        Press(KeyLeft);
        EXPECT_EQ(inst.currentScreen, ScreenMain);
        EXPECT_EQ(inst.distanceSum, zero == 1 ? 0u : 5000u);
    }
    // Stopping keeps the distance.
    SetUp();
    inst.currentScreen = ScreenFlightStartStop;
    inst.inFlight = 1;
    inst.distZeroAuto = 1;
    inst.distanceSum = 5000;
    Press(KeyLeft);
    EXPECT_EQ(inst.distanceSum, 5000u);
    EXPECT_EQ(inst.currentScreen, ScreenMain);
}

TEST_F(FlightScreensTest, LeftKeyStartsOrStopsAndLogsOnlyAfterAMinute) {
    struct Row {
        uint8_t inFlight;
        uint8_t logged;
        uint8_t inFlightAfter;
        uint64_t logWrites;
    } const rows[] = {{0, 0, 1, 0}, {0, 1, 1, 0}, {1, 0, 0, 0}, {1, 1, 0, 1}};
    for (const Row& r : rows) {
        SetUp();
        inst.currentScreen = ScreenFlightStartStop;
        inst.inFlight = r.inFlight;
        inst.flightLogged = r.logged;
        inst.flightHours = 2;
        inst.flightMinutes = 40;
        inst.flightPassCount = 33;
        Press(KeyLeft);
        const std::string what =
            "in flight " + std::to_string(r.inFlight) + " logged " + std::to_string(r.logged);
        EXPECT_EQ(inst.inFlight, r.inFlightAfter) << what;
        EXPECT_EQ(Calls(HookWriteFlightLog), r.logWrites) << what;
        // A start clears the clock, so that the new flight logs only after its
        // own first minute; a stop leaves the time on show.
        EXPECT_EQ(inst.flightMinutes, r.inFlight == 0 ? 0 : 40) << what;
        EXPECT_EQ(inst.flightHours, r.inFlight == 0 ? 0 : 2) << what;
        EXPECT_EQ(inst.flightPassCount, r.inFlight == 0 ? 0 : 33) << what;
        EXPECT_EQ(inst.flightLogged, r.inFlight == 0 ? 0 : r.logged) << what;
        EXPECT_EQ(inst.currentScreen, ScreenMain) << what;
    }
}

// The flight information and the maximum values share one two-row list.
TEST_F(FlightScreensTest, TwoRowListsPickARowWithTheKnobAndSideKeys) {
    struct Row {
        uint8_t from;
        uint8_t key;
        uint8_t to;
    } const rows[] = {
        {0, KeyKnobCw, 1}, {0, KeyRight, 1}, {1, KeyKnobCw, 1}, {1, KeyKnobCcw, 0},
        {1, KeyLeft, 0},   {0, KeyLeft, 0},  {1, 6, 1},         {0, KeyNone, 0},
    };
    for (ScreenFn screen : {ScreenFlightInfo, ScreenMaxValues}) {
        for (const Row& r : rows) {
            inst.currentScreen = screen;
            inst.menuItem = r.from;
            Press(r.key);
            EXPECT_EQ(inst.currentScreen, screen) << Name(screen) << " key " << int(r.key);
            EXPECT_EQ(inst.menuItem, r.to)
                << Name(screen) << " from " << int(r.from) << " key " << int(r.key);
        }
    }
}

TEST_F(FlightScreensTest, ResetAirDistanceStaysOnTheScreen) {
    inst.currentScreen = ScreenFlightInfo;
    inst.menuItem = 1;
    inst.distanceSum = 88560;
    Press(KeyEnter);
    EXPECT_EQ(inst.distanceSum, 0u);
    inst.distanceSum = 720;
    Press(KeyEnter);
    EXPECT_EQ(inst.distanceSum, 0u);
    EXPECT_EQ(inst.currentScreen, ScreenFlightInfo);
    EXPECT_EQ(inst.menuItem, 1);
    Press(KeyKnobCcw);
    Press(KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMain);
}

TEST_F(FlightScreensTest, ResetMaxValuesTakesThePresentValues) {
    inst.currentScreen = ScreenMaxValues;
    inst.menuItem = 1;
    inst.maxAltitude = 5000;
    inst.maxAirspeed = 140;
    inst.altitude = -50;
    inst.airspeed = 0;
    Press(KeyEnter);
    EXPECT_EQ(inst.maxAltitude, -50);
    EXPECT_EQ(inst.maxAirspeed, 0u);
    EXPECT_EQ(Calls(HookMaxValuesReset), 1u);
    EXPECT_EQ(inst.currentScreen, ScreenMaxValues);
    EXPECT_EQ(inst.menuItem, 1);
}

TEST_F(FlightScreensTest, DoneRowsReturnWhereTheScreenCameFrom) {
    struct Row {
        ScreenFn screen;
        ScreenFn to;
        uint8_t menuItem;
    } const rows[] = {{ScreenFlightInfo, ScreenMain, 0}, {ScreenMaxValues, ScreenMainMenu, 1}};
    for (const Row& r : rows) {
        inst.currentScreen = r.screen;
        inst.menuItem = 0;
        inst.distanceSum = 720;
        inst.maxAltitude = 5000;
        Press(KeyEnter);
        EXPECT_EQ(inst.currentScreen, r.to) << Name(r.screen);
        EXPECT_EQ(inst.menuItem, r.menuItem) << Name(r.screen);
        EXPECT_EQ(inst.distanceSum, 720u) << "DONE resets nothing";
        EXPECT_EQ(inst.maxAltitude, 5000);
    }
}

TEST_F(FlightScreensTest, FlightTimeAndDistanceAreCentredInLargeText) {
    struct Row {
        uint8_t decimal;
        uint32_t sum;
        uint8_t unit;
        uint8_t distanceX;
        const char* distance;
    } const rows[] = {
        {0, 88560, 0, 41, "12.3"}, {1, 88560, 1, 41, "19.8"}, {0, 88560, 2, 41, "10.7"},
        {0, 719, 0, 45, "0.0"},    {0, 720, 0, 45, "0.1"},    {1, 47185200, 0, 37, "???.?"},
    };
    for (const Row& r : rows) {
        inst.currentScreen = ScreenFlightInfo;
        inst.flightHours = 1;
        inst.flightMinutes = 5;
        inst.hourFractDecimal = r.decimal;
        inst.distanceSum = r.sum;
        inst.asiUnit = r.unit;
        Draw();
        const char* time = r.decimal == 1 ? "01.05" : "01:05";
        EXPECT_EQ(DarkIn({0, 113, 26, 41}), Drawn([&] { LcdText(37, 26, time, 1, 1, 0); })) << time;
        EXPECT_EQ(DarkIn({0, 113, 50, 63}),
                  Drawn([&] { LcdText(r.distanceX, 50, r.distance, 1, 1, 0); }))
            << r.distance;
    }
}

// The selected row of the two-row lists is drawn inverted.
TEST_F(FlightScreensTest, SelectedRowIsInverted) {
    struct Row {
        ScreenFn screen;
        uint8_t doneY;
        const char* reset;
    } const rows[] = {{ScreenFlightInfo, 0, "RESET AIR DIST"},
                      {ScreenMaxValues, 8, "RESET VALUES"}};
    for (const Row& r : rows) {
        for (uint8_t item : {0, 1}) {
            inst.currentScreen = r.screen;
            inst.menuItem = item;
            Draw();
            const Area rows = {0, 113, r.doneY, r.doneY + 15};
            EXPECT_EQ(DarkIn(rows), Drawn([&] {
                          LcdText(9, r.doneY, "*** DONE ***", 0, 1, item == 0 ? 1 : 0);
                          LcdText(0, uint8_t(r.doneY + 8), r.reset, 0, 1, item == 1 ? 1 : 0);
                      }))
                << Name(r.screen) << " item " << int(item);
        }
    }
}

TEST_F(FlightScreensTest, MaximaWithTheirUnitNames) {
    inst.currentScreen = ScreenMaxValues;
    inst.maxAltitude = -50;
    inst.maxAirspeed = 196;
    inst.altUnit = 1;
    inst.asiUnit = 1;
    Draw();
    EXPECT_EQ(DarkIn({0, 113, 28, 63}), Drawn([] {
                  LcdText(0, 28, "ALT:", 0, 1, 0);
                  LcdText(40, 28, "-50 m", 1, 1, 0);
                  LcdText(0, 48, "ASI:", 0, 1, 0);
                  LcdText(40, 48, "196 km/h", 1, 1, 0);
              }));
}
