#include <gtest/gtest.h>

#include <cstring>

#include "core/fields.h"
#include "core/sequence.h"
#include "core/state.h"
#include "fake_host.h"

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
