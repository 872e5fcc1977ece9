#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/state.h"
#include "fake_host.h"
#include "sensors/sensors.h"

namespace {
bool IsFloorRoot(int64_t a, int64_t r) { return r * r <= a && (r + 1) * (r + 1) > a; }
}  // namespace

TEST(IntSqrtTest, FloorOfTheRootOverTheWholeRange) {
    // Every argument the filters can hand it (4096 counts, half as much
    // again after a switch from SLOW to FAST, times 15), then large ones.
    for (int32_t a = 0; a <= 6144 * 15; ++a) ASSERT_TRUE(IsFloorRoot(a, IntSqrt(a))) << a;
    const int32_t large[] = {1 << 20,    (1 << 28) - 1, 1 << 28,    (1 << 28) + 1,
                             1073676288, 1073676289,    1073741823, 999999999};
    for (int32_t a : large) EXPECT_TRUE(IsFloorRoot(a, IntSqrt(a))) << a << " gives " << IntSqrt(a);
    EXPECT_EQ(IntSqrt((1 << 30) - 1), 32767);
    EXPECT_EQ(IntSqrt(-1), 0);
}

class AirspeedTest : public InstrumentTest {
protected:
    void SetUp() override {
        InstrumentTest::SetUp();
        LoadDefaultSettings();
        ResetCalibration();
        inst.asiFilter = 0;
    }

    uint32_t SpeedAt(int32_t slider) {
        inst.asiAdcInput = slider;
        UpdateAirspeed();
        return inst.airspeed;
    }
};

TEST_F(AirspeedTest, ChainFromCountToDisplayUnit) {
    struct Case {
        const char* what;
        int32_t slider;
        uint32_t zero;
        uint8_t percent;
        uint8_t tas;
        int32_t altitudeFt;
        uint8_t unit;
        uint32_t airspeed;
        uint32_t mph;  // what the air distance gains
    } const cases[] = {
        {"1000 counts", 1000, 0, 100, 0, 0, 0, 122, 122},
        {"in km/h", 1000, 0, 100, 0, 0, 1, 196, 122},
        {"in knots", 1000, 0, 100, 0, 0, 2, 106, 122},
        {"unknown unit as mph", 1000, 0, 100, 0, 0, 7, 122, 122},
        {"TAS at 5000 ft", 1000, 0, 100, 1, 5000, 0, 132, 132},
        {"TAS below 100 ft", 1000, 0, 100, 1, 99, 0, 122, 122},
        {"TAS in km/h", 1000, 0, 100, 1, 5000, 1, 212, 132},
        // The hundreds of feet are truncated first: 57 x 43225 / 100000 = 24.
        {"TAS at 5799 ft", 4096, 0, 100, 1, 5799, 0, 271, 271},
        {"TAS at -5799 ft, toward zero", 4096, 0, 100, 1, -5799, 0, 223, 223},
        {"17 over the zero", 117, 100, 100, 0, 0, 0, 0, 0},
        {"18 over the zero", 118, 100, 100, 0, 0, 0, 16, 16},
        {"under the zero", 50, 100, 100, 0, 0, 0, 0, 0},
        {"slider end", 4096, 0, 100, 0, 0, 0, 247, 247},
        {"150 % held at 250", 4096, 0, 150, 0, 0, 0, 250, 250},
        {"50 %", 4096, 0, 50, 0, 0, 0, 123, 123},
        {"limit in km/h", 4096, 0, 150, 0, 0, 1, 402, 250},
        {"limit in knots", 4096, 0, 150, 0, 0, 2, 217, 250},
        {"TAS passes the limit", 4096, 0, 150, 1, 5000, 0, 271, 271},
        {"15 mph after calibration", 1000, 0, 13, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        inst.asiZero = c.zero;
        inst.asiCalPercent = c.percent;
        inst.asiTas = c.tas;
        inst.altitudeFt = c.altitudeFt;
        inst.asiUnit = c.unit;
        inst.distanceSum = 1000;
        EXPECT_EQ(SpeedAt(c.slider), c.airspeed) << c.what;
        EXPECT_EQ(inst.asiAdc, static_cast<uint32_t>(c.slider)) << c.what;
        EXPECT_EQ(inst.distanceSum, 1000 + c.mph) << c.what;
    }
}

// The highest QNH the knob reaches, 1080248, and the slider at 0 give the
// highest altitude the sensor reports; the lowest QNH, 940252, with slider
// 4096 and offset +125 the lowest.
TEST_F(AirspeedTest, TrueAirspeedAtTheAltitudeExtremes) {
    inst.altAdcInput = 0;
    inst.qnh = 1080248;
    UpdateAltitude();
    ASSERT_EQ(inst.altitudeFt, 52005);
    inst.asiTas = 1;
    inst.asiCalPercent = 150;
    EXPECT_EQ(SpeedAt(4096), 477u) << "250 mph and the largest correction, 227";

    inst.altAdcInput = 4096;
    inst.altCalOffset = 125;
    inst.qnh = 940252;
    UpdateAltitude();
    ASSERT_EQ(inst.altitudeFt, -8110);
    struct Case {
        uint32_t ias;
        uint32_t tas;
    } const cases[] = {{250, 215}, {100, 86}, {16, 14}};
    for (const Case& c : cases) {
        // Find the slider that gives this indicated speed.
        inst.asiTas = 0;
        int32_t slider = 0;
        while (slider < 4096 && SpeedAt(slider) != c.ias) ++slider;
        ASSERT_EQ(inst.airspeed, c.ias);
        inst.asiTas = 1;
        EXPECT_EQ(SpeedAt(slider), c.tas) << "IAS " << c.ias;
    }
    // Lower than the indicated speed, never below zero, over every count.
    for (int32_t slider = 0; slider <= 4096; ++slider) {
        inst.asiTas = 0;
        const uint32_t ias = SpeedAt(slider);
        inst.asiTas = 1;
        const uint32_t tas = SpeedAt(slider);
        ASSERT_LE(tas, ias) << slider;
        ASSERT_GE(tas * 100, ias * 85) << slider;
    }
}

// A stored altitude beyond the sensor's reach still corrects without
// overflow, in 64-bit.
TEST_F(AirspeedTest, TrueAirspeedHoldsForAnyStoredAltitude) {
    inst.asiTas = 1;
    inst.asiCalPercent = 150;
    inst.altitudeFt = INT32_MAX;
    EXPECT_EQ(SpeedAt(4096), 250u + 9395240u);
    inst.altitudeFt = INT32_MIN;
    EXPECT_EQ(SpeedAt(4096), 0u);
}

TEST_F(AirspeedTest, FastAndSlowFromZeroAndSettled) {
    struct Case {
        uint8_t filter;
        std::vector<uint32_t> acc;
        std::vector<uint32_t> speed;
        uint32_t settled;
    } const cases[] = {
        {1, {1000, 1500, 1750, 1875, 1937}, {86, 106, 114, 118, 120}, 1999},
        {2, {1000, 1750, 2312, 2734, 3050}, {61, 80, 93, 101, 106}, 3997},
    };
    for (const Case& c : cases) {
        inst.asiFilter = c.filter;
        inst.asiFilterAcc = 0;
        for (std::size_t i = 0; i < c.acc.size(); ++i) {
            EXPECT_EQ(SpeedAt(1000), c.speed[i]) << "filter " << int{c.filter} << " update " << i;
            EXPECT_EQ(inst.asiFilterAcc, c.acc[i]) << "filter " << int{c.filter} << " update " << i;
        }
        for (int i = 0; i < 100; ++i) SpeedAt(1000);
        EXPECT_EQ(inst.asiFilterAcc, c.settled) << "filter " << int{c.filter};
        EXPECT_EQ(inst.airspeed, 122u) << "999 counts";
    }
}

TEST_F(AirspeedTest, SwitchingFiltersRescalesTheSharedAccumulator) {
    struct Case {
        uint8_t from, to;
        uint32_t settled;
        uint32_t accAfter;
        uint32_t speedAfter;
        uint32_t settledAfter;
    } const cases[] = {
        {1, 2, 1999, 2499, 96, 3997},  // count to five eighths: 624
        // Count to one and a half, 1499; from above FAST settles on 1000.
        {2, 1, 3997, 2998, 149, 2000},
        {1, 0, 1999, 1999, 122, 1999},  // NONE leaves it alone
        {2, 3, 3997, 3997, 122, 3997},  // so does an unknown filter
    };
    for (const Case& c : cases) {
        inst.asiFilter = c.from;
        inst.asiFilterAcc = 0;
        for (int i = 0; i < 100; ++i) SpeedAt(1000);
        ASSERT_EQ(inst.asiFilterAcc, c.settled);
        inst.asiFilter = c.to;
        EXPECT_EQ(SpeedAt(1000), c.speedAfter) << int{c.from} << " to " << int{c.to};
        EXPECT_EQ(inst.asiFilterAcc, c.accAfter) << int{c.from} << " to " << int{c.to};
        for (int i = 0; i < 100; ++i) SpeedAt(1000);
        EXPECT_EQ(inst.asiFilterAcc, c.settledAfter) << int{c.from} << " to " << int{c.to};
    }
}

// A stored accumulator far beyond what the filters reach neither wraps the
// square root's argument nor passes the 250 limit.
TEST_F(AirspeedTest, AnyStoredAccumulatorStaysWithinTheLimit) {
    for (uint8_t filter : {1, 2}) {
        inst.asiFilter = filter;
        inst.asiFilterAcc = UINT32_MAX;
        EXPECT_EQ(SpeedAt(4096), 250u) << int{filter};
    }
}

TEST_F(AirspeedTest, AirDistanceCountsMphAndWraps) {
    inst.asiUnit = 1;
    inst.distanceSum = UINT32_MAX - 100;
    SpeedAt(1000);
    EXPECT_EQ(inst.distanceSum, 21u);
    SpeedAt(1000);
    EXPECT_EQ(inst.distanceSum, 143u);
}

TEST_F(AirspeedTest, MaximumOnlyRisesInTheDisplayUnit) {
    struct Case {
        uint32_t maxBefore;
        uint8_t unit;
        uint32_t max;
    } const cases[] = {{0, 0, 122}, {121, 0, 122}, {122, 0, 122}, {150, 0, 150}, {150, 1, 196}};
    for (const Case& c : cases) {
        inst.maxAirspeed = c.maxBefore;
        inst.asiUnit = c.unit;
        SpeedAt(1000);
        EXPECT_EQ(inst.maxAirspeed, c.max) << "from " << c.maxBefore;
    }
}

// 1000 counts read 122 mph, 196 km/h.
TEST_F(AirspeedTest, AlarmStates) {
    struct Case {
        const char* what;
        uint8_t unit;
        uint32_t high;
        uint8_t highOn;
        uint32_t low;
        uint8_t lowOn;
        uint8_t inFlight;
        uint8_t activeBefore, acknowledgedBefore;
        uint8_t active, acknowledged;
    } const cases[] = {
        {"above the high limit", 0, 121, 1, 30, 1, 0, 0, 0, 1, 0},
        {"equal to the high limit", 0, 122, 1, 30, 1, 0, 1, 1, 0, 0},
        {"high limit off", 0, 80, 0, 30, 1, 0, 1, 0, 0, 0},
        {"acknowledged stays", 0, 80, 1, 30, 1, 0, 1, 1, 1, 1},
        {"limit read in km/h", 1, 195, 1, 30, 1, 0, 0, 0, 1, 0},
        {"196 km/h is not above 196", 1, 196, 1, 30, 1, 0, 0, 0, 0, 0},
        {"below the low limit in flight", 0, 250, 1, 123, 1, 1, 0, 0, 1, 0},
        {"below the low limit on the ground", 0, 250, 1, 123, 1, 0, 1, 1, 0, 0},
        {"equal to the low limit", 0, 250, 1, 122, 1, 1, 1, 1, 0, 0},
        {"low limit off", 0, 250, 1, 123, 0, 1, 0, 0, 0, 0},
        {"low acknowledged stays", 0, 250, 1, 123, 1, 1, 1, 1, 1, 1},
    };
    for (const Case& c : cases) {
        inst.asiUnit = c.unit;
        inst.highAlarmSpeed = c.high;
        inst.highAlarmOn = c.highOn;
        inst.lowAlarmSpeed = c.low;
        inst.lowAlarmOn = c.lowOn;
        inst.inFlight = c.inFlight;
        inst.alarmActive = c.activeBefore;
        inst.alarmAcknowledged = c.acknowledgedBefore;
        SpeedAt(1000);
        EXPECT_EQ(inst.alarmActive, c.active) << c.what;
        EXPECT_EQ(inst.alarmAcknowledged, c.acknowledged) << c.what;
    }
}

TEST_F(AirspeedTest, FlightStartedAtRestRaisesTheLowAlarmAtOnce) {
    SpeedAt(0);
    EXPECT_EQ(inst.alarmActive, 0) << "quiet on the ground";
    inst.inFlight = 1;
    SpeedAt(0);
    EXPECT_EQ(inst.alarmActive, 1);
    EXPECT_EQ(inst.alarmAcknowledged, 0);
}
