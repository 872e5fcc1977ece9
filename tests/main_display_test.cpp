#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/state.h"
#include "screen_fixture.h"
#include "screens/dispatcher.h"
#include "screens/screens.h"

using MainDisplayTest = ScreenTest;

TEST_F(MainDisplayTest, KeysWithoutAnAlarm) {
    struct Row {
        uint8_t key;
        uint8_t autoDetect;
        ScreenFn to;
        uint32_t qnh;
        uint64_t saves;
    } const rows[] = {
        {KeyEnter, 0, ScreenMainMenu, 1013250, 0},
        {KeyKnobCw, 0, ScreenMain, 1014250, 1},
        {KeyKnobCcw, 0, ScreenMain, 1012250, 1},
        {KeyLeft, 0, ScreenFlightStartStop, 1013250, 0},
        {KeyLeft, 1, ScreenMain, 1013250, 0},
        {KeyRight, 0, ScreenFlightInfo, 1013250, 0},
        {KeyRight, 1, ScreenFlightInfo, 1013250, 0},
        {6, 0, ScreenMain, 1013250, 0},
    };
    for (const Row& r : rows) {
        SetUp();
        inst.flightAutoDetect = r.autoDetect;
        inst.menuItem = 3;
        inst.editMode = 1;
        Press(r.key);
        const std::string what =
            "key " + std::to_string(r.key) + " auto " + std::to_string(r.autoDetect);
        EXPECT_EQ(inst.currentScreen, r.to) << what << " went to " << Name(inst.currentScreen);
        EXPECT_EQ(inst.qnh, r.qnh) << what;
        EXPECT_EQ(Calls(HookSaveSettings), r.saves) << what;
        EXPECT_EQ(inst.pendingKey, 0) << what;
        // The menu and the flight information start on their first row.
        const bool opensList = r.to == ScreenMainMenu || r.to == ScreenFlightInfo;
        EXPECT_EQ(inst.menuItem, opensList ? 0 : 3) << what;
        EXPECT_EQ(inst.editMode, r.to == ScreenMainMenu ? 0 : 1) << what;
    }
}

TEST_F(MainDisplayTest, QnhStepsStopShortOfTheLimits) {
    struct Row {
        uint8_t unit;
        uint32_t from;
        uint8_t key;
        uint32_t to;
    } const rows[] = {
        {0, 1078250, KeyKnobCw, 1079250},
        {0, 1079250, KeyKnobCw, 1079250},
        {0, 942250, KeyKnobCcw, 941250},
        {0, 941250, KeyKnobCcw, 941250},
        {1, 1079836, KeyKnobCw, 1080174},
        {1, 1080174, KeyKnobCw, 1080174},
        {1, 940918, KeyKnobCcw, 940580},
        {1, 940580, KeyKnobCcw, 940580},
        // A mixed value is never rounded to a whole step.
        {0, 1013588, KeyKnobCw, 1014588},
        {1, 1013250, KeyKnobCcw, 1012912},
        // A debugger's value beyond the limits must not wrap around.
        {0, 4294967295u, KeyKnobCw, 4294967295u},
        {0, 500, KeyKnobCcw, 500},
    };
    inst.adjustStep = 10;  // KeyFast never changes the QNH step
    for (const Row& r : rows) {
        inst.qnhUnit = r.unit;
        inst.qnh = r.from;
        const uint64_t saves = Calls(HookSaveSettings);
        Press(r.key);
        EXPECT_EQ(inst.qnh, r.to) << "unit " << int(r.unit) << " from " << r.from;
        EXPECT_EQ(Calls(HookSaveSettings) - saves, 1u) << "saved also when refused";
    }
}

TEST_F(MainDisplayTest, QnhRangeFromTheDefault) {
    struct Row {
        uint8_t unit;
        uint32_t lowest;
        uint32_t highest;
    } const rows[] = {{0, 941250, 1079250}, {1, 940580, 1080174}};
    for (const Row& r : rows) {
        inst.qnhUnit = r.unit;
        inst.qnh = 1013250;
        for (int i = 0; i < 500; ++i) Press(KeyKnobCw);
        EXPECT_EQ(inst.qnh, r.highest) << "unit " << int(r.unit);
        for (int i = 0; i < 500; ++i) Press(KeyKnobCcw);
        EXPECT_EQ(inst.qnh, r.lowest) << "unit " << int(r.unit);
    }
}

TEST_F(MainDisplayTest, FirstKeyOfARaisedAlarmOnlyAcknowledges) {
    for (uint8_t key = KeyEnter; key <= KeyRight; ++key) {
        SetUp();
        inst.alarmActive = 1;
        inst.alarmAcknowledged = 0;
        Press(key);
        EXPECT_EQ(inst.alarmAcknowledged, 1) << "key " << int(key);
        EXPECT_EQ(inst.currentScreen, ScreenMain) << "key " << int(key);
        EXPECT_EQ(inst.qnh, 1013250u) << "key " << int(key);
        EXPECT_EQ(Calls(HookSaveSettings), 0u) << "key " << int(key);
        EXPECT_EQ(inst.pendingKey, 0);
    }
}

TEST_F(MainDisplayTest, SecondKeyActsAndANewAlarmNeedsANewAcknowledgement) {
    inst.alarmActive = 1;
    Press(KeyEnter);
    ASSERT_EQ(inst.currentScreen, ScreenMain);
    Press(KeyKnobCw);
    EXPECT_EQ(inst.qnh, 1014250u);
    // The condition ends (both cleared together) and comes back.
    inst.alarmActive = 0;
    inst.alarmAcknowledged = 0;
    Press(KeyKnobCw);
    EXPECT_EQ(inst.qnh, 1015250u);
    inst.alarmActive = 1;
    Press(KeyEnter);
    EXPECT_EQ(inst.alarmAcknowledged, 1);
    EXPECT_EQ(inst.currentScreen, ScreenMain);
    Press(KeyEnter);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu);
}

TEST_F(MainDisplayTest, NoKeyNoAcknowledgement) {
    inst.alarmActive = 1;
    Press(KeyNone);
    EXPECT_EQ(inst.alarmAcknowledged, 0);
}

TEST(QnhText, BothUnitsAndTheWidestValue) {
    struct Row {
        uint32_t qnh;
        uint8_t unit;
        const char* text;
    } const rows[] = {
        {1013250, 0, "1013mB"},
        {1013250, 1, "29.92\"Hg"},
        {1013588, 0, "1013mB"},
        {1013588, 1, "29.93\"Hg"},
        {941250, 0, "941mB"},
        {940580, 1, "27.78\"Hg"},
        {1080174, 1, "31.90\"Hg"},
        {4294967295u, 0, "4294967mB"},
        {4294967295u, 1, "126833.63\"Hg"},
        // A unit beyond the table shows millibars without a name.
        {1013250, 2, "1013"},
    };
    for (const Row& r : rows) {
        ResetProgram();
        inst.qnh = r.qnh;
        inst.qnhUnit = r.unit;
        char text[kQnhTextSize];
        FormatQnhText(text);
        EXPECT_STREQ(text, r.text) << "qnh " << r.qnh << " unit " << int(r.unit);
    }
}

class MainLayoutTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        inst.altitude = 1100;
        inst.airspeed = 122;
        inst.highAlarmOn = 0;
    }

    struct Element {
        const char* what;
        Area area;
        Dots dots;  // drawn at the element's own place
    };

    // Each element shows exactly its own dots inside its area, and nothing
    // lies outside the areas.
    void ExpectLayout(const std::vector<Element>& elements) {
        const Dots frame = DarkDots();
        Dots outside = frame;
        for (const Element& e : elements) {
            ASSERT_FALSE(e.dots.empty()) << e.what;
            for (auto [x, y] : e.dots) ASSERT_TRUE(Inside(e.area, x, y)) << e.what << " at " << x;
            EXPECT_EQ(DarkIn(e.area), e.dots) << e.what;
            for (auto dot : DarkIn(e.area)) outside.erase(dot);
        }
        EXPECT_TRUE(outside.empty()) << outside.size() << " dots outside, first at "
                                     << outside.begin()->first << "," << outside.begin()->second;
    }
};

TEST_F(MainLayoutTest, AirspeedOnTop) {
    Draw();
    ExpectLayout({
        {"altitude", {18, 89, 30, 53}, Drawn([] { LcdBigDigits(18, 30, "1100"); })},
        {"ft", {96, 111, 39, 54}, Drawn([] { LcdText(96, 39, "ft", 1, 1, 0); })},
        {"QNH", {33, 80, 57, 63}, Drawn([] { LcdText(33, 57, "1013mB", 0, 1, 0); })},
        {"airspeed", {18, 71, 3, 26}, Drawn([] { LcdBigDigits(18, 3, "122"); })},
        {"IAS", {83, 106, 3, 10}, Drawn([] { LcdText(83, 3, "IAS", 0, 1, 0); })},
        {"mph", {83, 106, 12, 27}, Drawn([] { LcdText(83, 12, "mph", 1, 1, 0); })},
    });
}

TEST_F(MainLayoutTest, AltitudeOnTop) {
    inst.altitudeOnTop = 1;
    Draw();
    ExpectLayout({
        {"altitude", {18, 89, 3, 26}, Drawn([] { LcdBigDigits(18, 3, "1100"); })},
        {"ft", {96, 111, 3, 18}, Drawn([] { LcdText(96, 3, "ft", 1, 1, 0); })},
        {"QNH", {33, 80, 57, 63}, Drawn([] { LcdText(33, 57, "1013mB", 0, 1, 0); })},
        {"airspeed", {18, 71, 30, 53}, Drawn([] { LcdBigDigits(18, 30, "122"); })},
        {"IAS", {83, 106, 30, 37}, Drawn([] { LcdText(83, 30, "IAS", 0, 1, 0); })},
        {"mph", {83, 106, 39, 54}, Drawn([] { LcdText(83, 39, "mph", 1, 1, 0); })},
    });
}

// The labels follow the unit settings; each stays at its own place.
TEST_F(MainLayoutTest, UnitLabelsOfEverySetting) {
    struct Row {
        uint8_t altUnit, asiUnit, asiTas;
        const char *altName, *speedName, *kind;
    } const rows[] = {
        {1, 1, 1, "m", "km/h", "TAS"},
        {0, 2, 0, "ft", "knots", "IAS"},
        {1, 0, 1, "m", "mph", "TAS"},
    };
    for (uint8_t top : {0, 1})
        for (const Row& r : rows) {
            inst.altitudeOnTop = top;
            inst.altUnit = r.altUnit;
            inst.asiUnit = r.asiUnit;
            inst.asiTas = r.asiTas;
            Draw();
            const int altY = top == 1 ? 3 : 39;
            const int kindY = top == 1 ? 30 : 3;
            const int speedY = top == 1 ? 39 : 12;
            const std::string what = std::string(r.altName) + " " + r.speedName + " " + r.kind +
                                     " top " + std::to_string(top);
            EXPECT_EQ(DarkIn({90, 113, altY, altY + 15}),
                      Drawn([&] { LcdTextCentredConst(104, uint8_t(altY), r.altName, 1, 1, 0); }))
                << what;
            EXPECT_EQ(DarkIn({72, 113, kindY, kindY + 7}),
                      Drawn([&] { LcdTextCentredConst(95, uint8_t(kindY), r.kind, 0, 1, 0); }))
                << what;
            EXPECT_EQ(DarkIn({72, 113, speedY, speedY + 15}), Drawn([&] {
                          LcdTextCentredConst(95, uint8_t(speedY), r.speedName, 1, 1, 0);
                      }))
                << what;
        }
}

TEST_F(MainLayoutTest, NegativeAltitudeFillsFiveCellsAndZeroSpeedOne) {
    inst.altitude = -1121;
    inst.airspeed = 0;
    Draw();
    EXPECT_EQ(DarkIn({0, 89, 30, 53}), Drawn([] { LcdBigDigits(0, 30, "-1121"); }));
    // The minus bar in the first cell.
    for (auto dot : Box(4, 12, 39, 41)) EXPECT_EQ(DarkIn({0, 17, 30, 53}).count(dot), 1u);
    EXPECT_EQ(DarkIn({0, 81, 3, 26}), Drawn([] { LcdBigDigits(54, 3, "0"); }));
}

TEST_F(MainLayoutTest, QnhTextsOfBothUnits) {
    struct Row {
        uint8_t unit;
        uint8_t x;
        const char* text;
    } const rows[] = {{0, 33, "1013mB"}, {1, 25, "29.93\"Hg"}};
    for (const Row& r : rows) {
        inst.qnh = 1013588;
        inst.qnhUnit = r.unit;
        Draw();
        EXPECT_EQ(DarkIn({0, 113, 57, 63}), Drawn([&] { LcdText(r.x, 57, r.text, 0, 1, 0); }))
            << r.text;
    }
}

// While the alarm condition holds the figure shows only in blink phase 1,
// acknowledged or not; the labels never blink.
TEST_F(MainLayoutTest, AirspeedBlinksWhileOutsideTheLimits) {
    struct Row {
        uint32_t speed;
        uint8_t highOn;
        uint8_t lowOn;
        uint8_t inFlight;
        uint8_t acknowledged;
        uint8_t phase;
        bool shown;
    } const rows[] = {
        {122, 1, 0, 0, 0, 0, false}, {122, 1, 0, 0, 0, 1, true}, {122, 1, 0, 0, 1, 0, false},
        {80, 1, 0, 0, 0, 0, true},   {122, 0, 0, 0, 0, 0, true}, {122, 2, 0, 0, 0, 0, true},
        {20, 0, 1, 1, 0, 0, false},  {20, 0, 1, 0, 0, 0, true},  {30, 0, 1, 1, 0, 0, true},
    };
    for (const Row& r : rows) {
        inst.airspeed = r.speed;
        inst.highAlarmOn = r.highOn;
        inst.highAlarmSpeed = 80;
        inst.lowAlarmOn = r.lowOn;
        inst.lowAlarmSpeed = 30;
        inst.inFlight = r.inFlight;
        inst.alarmActive = r.acknowledged;
        inst.alarmAcknowledged = r.acknowledged;
        inst.blinkPhase = r.phase;
        Draw();
        EXPECT_EQ(DarkIn({18, 71, 3, 26}).empty(), !r.shown)
            << "speed " << r.speed << " phase " << int(r.phase);
        EXPECT_FALSE(DarkIn({83, 106, 3, 27}).empty()) << "labels stay";
        EXPECT_FALSE(DarkIn({18, 89, 30, 53}).empty()) << "altitude stays";
    }
}
