#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/fields.h"
#include "core/sequence.h"
#include "core/state.h"
#include "fake_host.h"
#include "screens/screens.h"

using StateTest = InstrumentTest;

TEST_F(StateTest, EveryFieldIsZeroBeforeTheFirstPowerOn) {
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldInfo& f = kFields[i];
        for (std::size_t k = 0; k < f.count; ++k) EXPECT_EQ(ReadField(f, k), 0) << f.name << "[" << k << "]";
    }
    EXPECT_EQ(inst.currentScreen, nullptr);
    EXPECT_EQ(inst.returnScreen, nullptr);
}

TEST_F(StateTest, PowerOnLoadsDefaultsAndResetsCalibration) {
    inst.asiCalPercent = 70;
    inst.altCalOffset = -12;
    inst.asiZero = 300;
    inst.pendingKey = KeyLeft;
    inst.inFlight = 1;
    PowerOnReset();
    struct Expect {
        const char* field;
        int64_t value;
    } const defaults[] = {
        {"contrast", 37},        {"backlight", 1},        {"qnh", 1013250},     {"altUnit", 0},
        {"qnhUnit", 0},          {"asiTas", 0},           {"lowAlarmSpeed", 30}, {"lowAlarmOn", 1},
        {"highAlarmSpeed", 80},  {"highAlarmOn", 1},      {"asiFilter", 1},     {"asiUnit", 0},
        {"distZeroAuto", 0},     {"hourFractDecimal", 0}, {"takeoffSpeed", 30}, {"flightAutoDetect", 0},
        {"altitudeOnTop", 0},    {"altCalOffset", 0},     {"asiCalPercent", 100}, {"asiZero", 0},
        {"pendingKey", 0},       {"inFlight", 0},         {"distanceSum", 0},
    };
    for (const Expect& e : defaults) EXPECT_EQ(ReadField(*FindField(e.field), 0), e.value) << e.field;
}

TEST_F(StateTest, LoadDefaultSettingsLeavesCalibrationAlone) {
    inst.asiCalPercent = 120;
    inst.altCalOffset = 5;
    inst.asiZero = 17;
    LoadDefaultSettings();
    EXPECT_EQ(inst.asiCalPercent, 120);
    EXPECT_EQ(inst.altCalOffset, 5);
    EXPECT_EQ(inst.asiZero, 17u);
    EXPECT_EQ(hookCalls[HookSaveSettings], 0u);
    EXPECT_EQ(hookCalls[HookApplyContrast], 1u);
    EXPECT_EQ(hookCalls[HookBacklightOn], 1u);
    EXPECT_EQ(hookCalls[HookEraseFlightLog], 1u);
}

TEST_F(StateTest, ResetMaxValuesCopiesThePresentValues) {
    inst.airspeed = 57;
    inst.altitude = -40;
    inst.maxAirspeed = 200;
    inst.maxAltitude = 9000;
    ResetMaxValues();
    EXPECT_EQ(inst.maxAirspeed, 57u);
    EXPECT_EQ(inst.maxAltitude, -40);
    EXPECT_EQ(hookCalls[HookMaxValuesReset], 1u);
}

TEST_F(StateTest, ASettingChangedInARunIsBackAtItsDefaultAfterOffAndOn) {
    PowerOnThroughSplash();
    InstrumentStep();
    inst.highAlarmSpeed = 140;
    inst.asiUnit = 2;
    Button2Click();
    Button1Click();
    EXPECT_EQ(inst.highAlarmSpeed, 80u);
    EXPECT_EQ(inst.asiUnit, 0);
}

TEST_F(StateTest, WriteFlightLogClearsThePendingMarkAndLeavesTheLogArrays) {
    inst.logPending = 255;
    WriteFlightLog();
    EraseFlightLog();
    EXPECT_EQ(inst.logPending, 0);
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(inst.logHours[i], 0);
        EXPECT_EQ(inst.logMinutes[i], 0);
    }
}

TEST(Fields, WriteRefusesValuesThatDoNotFitTheType) {
    ResetProgram();
    struct Case {
        const char* field;
        int64_t value;
        bool fits;
    } const cases[] = {
        {"menuItem", 255, true},       {"menuItem", 256, false},         {"menuItem", -1, false},
        {"altCalOffset", -128, true},  {"altCalOffset", 128, false},     {"qnh", 4294967295, true},
        {"qnh", 4294967296, false},    {"altitude", -2147483648, true},  {"altitude", 2147483648, false},
        {"currentScreen", 0, false},
    };
    for (const Case& c : cases) {
        const FieldInfo* f = FindField(c.field);
        ASSERT_NE(f, nullptr) << c.field;
        EXPECT_EQ(WriteField(*f, 0, c.value), c.fits) << c.field << " = " << c.value;
        if (c.fits) {
            EXPECT_EQ(ReadField(*f, 0), c.value) << c.field;
        }
    }
    EXPECT_EQ(FindField("noSuchField"), nullptr);
    EXPECT_FALSE(WriteField(*FindField("logHours"), 24, 1));
    EXPECT_TRUE(WriteField(*FindField("logHours"), 23, 7));
    EXPECT_EQ(inst.logHours[23], 7);
}

namespace {
// A small value of its own for every element of every field; fits any type.
int64_t Marker(int field, std::size_t element) {
    return 3 + static_cast<int64_t>((static_cast<std::size_t>(field) + element) % 90);
}
}  // namespace

// Every field holds its own marker before ON: the reset clears its list,
// loads the settings and the calibration, copies the maxima, and keeps the
// rest, the filters and counters in particular.
TEST_F(StateTest, PowerOnResetClearsItsListAndKeepsEveryOtherField) {
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldInfo& f = kFields[i];
        if (f.type == FieldType::Screen || f.type == FieldType::Text) continue;
        for (std::size_t k = 0; k < f.count; ++k) WriteField(f, k, Marker(i, k));
    }
    inst.currentScreen = ScreenMainMenu;
    inst.returnScreen = ScreenMainMenu;
    std::strcpy(inst.commLine, "left alone");
    const InstrumentState before = inst;

    PowerOnReset();

    const char* const cleared[] = {
        "alarmActive",  "alarmAcknowledged", "asiAdcInput", "logMinuteCount", "distanceSum",
        "flightHours",  "flightMinutes",     "logIndex",    "logPending",     "inFlight",
        "flightLogged", "calibrateEnabled",  "pendingKey"};
    // Loaded with their defaults (checked above) or copied from the present values.
    const char* const loaded[] = {
        "contrast",         "backlight",     "qnh",          "altUnit",          "qnhUnit",
        "asiTas",           "lowAlarmSpeed", "lowAlarmOn",   "highAlarmSpeed",   "highAlarmOn",
        "asiFilter",        "asiUnit",       "distZeroAuto", "hourFractDecimal", "takeoffSpeed",
        "flightAutoDetect", "altitudeOnTop", "altCalOffset", "asiCalPercent",    "asiZero",
        "maxAirspeed",      "maxAltitude"};
    for (int i = 0; i < kFieldCount; ++i) {
        const FieldInfo& f = kFields[i];
        if (f.type == FieldType::Screen || f.type == FieldType::Text) continue;
        const auto listed = [&](const auto& names) {
            return std::any_of(std::begin(names), std::end(names),
                               [&](const char* name) { return std::strcmp(name, f.name) == 0; });
        };
        if (listed(loaded)) continue;
        for (std::size_t k = 0; k < f.count; ++k)
            EXPECT_EQ(ReadField(f, k), listed(cleared) ? 0 : Marker(i, k))
                << f.name << "[" << k << "]";
    }
    EXPECT_EQ(inst.maxAirspeed, before.airspeed);
    EXPECT_EQ(inst.maxAltitude, before.altitude);
    EXPECT_EQ(inst.currentScreen, ScreenMainMenu) << "set when the main loop starts";
    EXPECT_EQ(inst.returnScreen, ScreenMainMenu);
    EXPECT_STREQ(inst.commLine, "left alone");
}
