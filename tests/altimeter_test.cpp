#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "core/state.h"
#include "fake_host.h"
#include "sensors/sensors.h"

namespace {
// The pressure with the kilopascals kept in double throughout: what the
// instrument would read without its single-precision step.
uint32_t PressureInDoubleOnly(int32_t count) {
    const double kpa = (count * 5.0 / 4096.0 * 0.2 + 0.095) * (1.0 / 0.009);
    return static_cast<uint32_t>(kpa * 10000.0);
}

// Far above every altitude the sensor gives, so the next reading restarts.
constexpr int32_t kFarAccumulator = 8 * 100000;
}  // namespace

class AltimeterTest : public InstrumentTest {
protected:
    void SetUp() override {
        InstrumentTest::SetUp();
        LoadDefaultSettings();
        ResetCalibration();
    }

    // One update from the given slider, with the filter restarting at the
    // raw reading.
    void FreshReading(int32_t slider) {
        inst.altAdcInput = slider;
        inst.altFilterAcc = kFarAccumulator;
        UpdateAltitude();
    }
};

TEST_F(AltimeterTest, SliderPositionsGiveTheirPressureAndAltitude) {
    struct Case {
        int32_t slider;
        int8_t offset;
        uint32_t qnh;
        uint32_t pressure;
        int32_t feet;
        int32_t metres;
    } const cases[] = {
        {3200, 0, 1013250, 973611, 1100, 335},
        {2048, 0, 1013250, 661111, 11348, 3458},
        {0, 0, 1013250, 105555, 50860, 15501},
        {4096, 0, 1013250, 1216666, -5151, -1569},
        // One millibar step up: about 27 ft more.
        {3200, 0, 1014250, 973611, 1127, 343},
        // One inch-of-mercury step up: about 9 ft more.
        {3200, 0, 1013588, 973611, 1109, 338},
        // The offset moves the count, not the altitude.
        {3075, 125, 1013250, 973611, 1100, 335},
        {3325, -125, 1013250, 973611, 1100, 335},
        // Calibrated beyond the slider's end: higher pressure still.
        {4096, 125, 1013250, 1250575, -5941, -1810},
    };
    for (const Case& c : cases) {
        inst.altCalOffset = c.offset;
        inst.qnh = c.qnh;
        inst.altUnit = 0;
        FreshReading(c.slider);
        EXPECT_EQ(inst.altAdc, static_cast<uint32_t>(c.slider));
        EXPECT_EQ(inst.pressure, c.pressure) << "slider " << c.slider;
        EXPECT_EQ(inst.altitudeFt, c.feet) << "slider " << c.slider << " qnh " << c.qnh;
        EXPECT_EQ(inst.altitude, c.feet);
        inst.altUnit = 1;
        FreshReading(c.slider);
        EXPECT_EQ(inst.altitudeFt, c.feet);
        EXPECT_EQ(inst.altitude, c.metres) << "slider " << c.slider;
    }
}

// Rounding the kilopascals to single precision moves the truncated pressure
// by one unit, one way or the other, for about one count in fifty.
TEST_F(AltimeterTest, SinglePrecisionStepDecidesTheTruncatedPressure) {
    struct Case {
        int32_t count;
        uint32_t pressure;
        uint32_t doubleOnly;
    } const cases[] = {
        {357, 202397, 202398}, {443, 225727, 225726},  {645, 280522, 280523},
        {731, 303852, 303851}, {1206, 432704, 432703}, {1221, 436772, 436773},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(PressureInDoubleOnly(c.count), c.doubleOnly);
        FreshReading(c.count);
        EXPECT_EQ(inst.pressure, c.pressure) << "count " << c.count;
    }

    int differing = 0;
    for (int32_t count = 0; count <= 4096; ++count) {
        FreshReading(count);
        const int64_t d = int64_t{inst.pressure} - PressureInDoubleOnly(count);
        ASSERT_LE(d * d, 1) << "count " << count;
        if (d != 0) ++differing;
    }
    EXPECT_EQ(differing, 78);
}

// Every calibrated count the slider and the offset can form converts
// without wrapping: the pressure grows with the count, and a count below
// zero reads as zero.
TEST_F(AltimeterTest, WholeCalibratedSpanConvertsMonotonically) {
    uint32_t seen[4096 + 125 + 1] = {};
    for (int offset = -125; offset <= 125; ++offset) {
        inst.altCalOffset = static_cast<int8_t>(offset);
        for (int32_t slider = 0; slider <= 4096; ++slider) {
            FreshReading(slider);
            const int32_t count = slider + offset < 0 ? 0 : slider + offset;
            if (seen[count] == 0) seen[count] = inst.pressure;
            ASSERT_EQ(inst.pressure, seen[count]) << "count " << count;
            if (count > 0) {
                ASSERT_GT(inst.pressure, seen[count - 1]) << "count " << count;
            }
            ASSERT_GE(inst.altitudeFt, -5941);
            ASSERT_LE(inst.altitudeFt, 50860);
        }
    }
    EXPECT_EQ(seen[0], 105555u);
    EXPECT_EQ(seen[4096 + 125], 1250575u);
}

TEST_F(AltimeterTest, CountBelowZeroReadsAsTheSensorsLowestReading) {
    inst.altCalOffset = -125;
    for (int32_t slider : {0, 1, 60, 124, 125}) {
        FreshReading(slider);
        EXPECT_EQ(inst.altAdc, static_cast<uint32_t>(slider));
        EXPECT_EQ(inst.pressure, 105555u) << "slider " << slider;
        EXPECT_EQ(inst.altitudeFt, 50860);
    }
}

TEST_F(AltimeterTest, ReadAdcReturnsTheTwoChannelsWithinTheConvertersSpan) {
    struct Case {
        int32_t input;
        uint32_t reads;
    } const cases[] = {{0, 0},         {1, 1},       {4096, 4096},     {-1, 0},
                       {INT32_MIN, 0}, {4097, 4096}, {INT32_MAX, 4096}};
    for (const Case& c : cases) {
        inst.altAdcInput = c.input;
        inst.asiAdcInput = 77;
        EXPECT_EQ(ReadAdc(0), c.reads) << "altitude input " << c.input;
        EXPECT_EQ(ReadAdc(2), 77u);
        inst.asiAdcInput = c.input;
        EXPECT_EQ(ReadAdc(2), c.reads) << "airspeed input " << c.input;
        for (uint8_t other : {1, 3, 255}) EXPECT_EQ(ReadAdc(other), 0u) << "channel " << int{other};
    }
    // A stored input beyond the span converts like the span's end.
    FreshReading(-40000);
    EXPECT_EQ(inst.pressure, 105555u);
    FreshReading(INT32_MAX);
    EXPECT_EQ(inst.pressure, 1216666u);
}

// Slider 3200 reads 1100 ft; the accumulator places prev around it.
TEST_F(AltimeterTest, TwentyFiveFeetAreSmoothedTwentySixRestart) {
    struct Case {
        int32_t accBefore;
        int32_t acc;
        int32_t feet;
    } const cases[] = {
        {8 * 1100, 8800, 1100},     {8 * 1075, 8625, 1078},  // 25 ft below the reading: smoothed
        {8 * 1074, 8800, 1100},                              // 26 ft below: restart
        {8 * 1125, 8975, 1121},                              // 25 ft above: smoothed
        {8 * 1126, 8800, 1100},                              // 26 ft above: restart
        {8 * 1075 - 1, 8800, 1100},                          // prev floors to 1074: restart
    };
    inst.altAdcInput = 3200;
    for (const Case& c : cases) {
        inst.altFilterAcc = c.accBefore;
        UpdateAltitude();
        EXPECT_EQ(inst.altFilterAcc, c.acc) << "from " << c.accBefore;
        EXPECT_EQ(inst.altitudeFt, c.feet) << "from " << c.accBefore;
    }
}

TEST_F(AltimeterTest, InchStepIsSmoothedMillibarStepJumps) {
    inst.altAdcInput = 3200;
    inst.altFilterAcc = 8800;
    inst.qnh = 1013588;
    UpdateAltitude();
    EXPECT_EQ(inst.altFilterAcc, 8809);
    EXPECT_EQ(inst.altitudeFt, 1101);
    inst.altFilterAcc = 8800;
    inst.qnh = 1014250;
    UpdateAltitude();
    EXPECT_EQ(inst.altFilterAcc, 8 * 1127);
    EXPECT_EQ(inst.altitudeFt, 1127);
}

// Slider 3200 with QNH 1013616 reads a steady 1110 ft.
TEST_F(AltimeterTest, SteadyReadingSettlesOneUnderFromBelowExactlyFromAbove) {
    inst.altAdcInput = 3200;
    inst.qnh = 1013616;
    struct Case {
        int32_t from;
        int32_t acc;
        int32_t feet;
    } const cases[] = {{8 * 1100, 8873, 1109}, {8 * 1120, 8880, 1110}};
    for (const Case& c : cases) {
        inst.altFilterAcc = c.from;
        int32_t before = 0;
        int updates = 0;
        do {
            before = inst.altFilterAcc;
            UpdateAltitude();
            ASSERT_LT(++updates, 200) << "never settles from " << c.from;
        } while (inst.altFilterAcc != before);
        EXPECT_EQ(inst.altFilterAcc, c.acc) << "from " << c.from;
        EXPECT_EQ(inst.altitudeFt, c.feet) << "from " << c.from;
    }
    // The raw reading itself.
    FreshReading(3200);
    EXPECT_EQ(inst.altitudeFt, 1110);
}

// Below zero both shifts floor: an accumulator of -801 stands for -101 ft.
TEST_F(AltimeterTest, NegativeAccumulatorsShiftToTheFloor) {
    struct Case {
        uint32_t qnh;  // slider 3363 reads -124, -126 or -127 ft
        int32_t acc;
        int32_t feet;
    } const cases[] = {
        {1013250, -825, -104},      // smoothed, each shift flooring
        {1013204, -827, -104},      // 25 ft under prev -101: smoothed
        {1013168, 8 * -127, -127},  // 26 ft under: restart
    };
    inst.altAdcInput = 3363;
    for (const Case& c : cases) {
        inst.qnh = c.qnh;
        inst.altFilterAcc = -801;
        UpdateAltitude();
        EXPECT_EQ(inst.altFilterAcc, c.acc) << "qnh " << c.qnh;
        EXPECT_EQ(inst.altitudeFt, c.feet) << "qnh " << c.qnh;
    }
}

TEST_F(AltimeterTest, MetresTruncateTowardZero) {
    inst.altUnit = 1;
    FreshReading(3500);  // -1121 ft
    EXPECT_EQ(inst.altitudeFt, -1121);
    EXPECT_EQ(inst.altitude, -341);
}

TEST_F(AltimeterTest, MaximumOnlyRisesAndKeepsItsUnit) {
    struct Case {
        int32_t maxBefore;
        uint8_t unit;
        int32_t max;
    } const cases[] = {
        {2000, 0, 2000},
        {1099, 0, 1100},
        {-500, 0, 1100},
        {1100, 0, 1100},
        // A maximum stored in feet is compared as it stands with metres.
        {1000, 1, 1000},
        {300, 1, 335},
    };
    for (const Case& c : cases) {
        inst.maxAltitude = c.maxBefore;
        inst.altUnit = c.unit;
        FreshReading(3200);
        EXPECT_EQ(inst.maxAltitude, c.max) << "from " << c.maxBefore;
    }
    // Signed: a negative altitude beats a lower negative maximum.
    inst.altUnit = 0;
    inst.maxAltitude = -6000;
    FreshReading(4096);
    EXPECT_EQ(inst.maxAltitude, -5151);
}

// Before the first power-on the QNH is 0: the altitude reads the lowest
// value the filter holds instead of an undefined conversion.
TEST_F(AltimeterTest, ZeroQnhReadsTheFiltersLowestAltitude) {
    inst.qnh = 0;
    inst.altUnit = 1;
    FreshReading(2048);
    EXPECT_EQ(inst.altitudeFt, -(INT32_MAX / 8));
    EXPECT_EQ(inst.altFilterAcc, 8 * -(INT32_MAX / 8));
    EXPECT_EQ(inst.altitude, static_cast<int32_t>(int64_t{-(INT32_MAX / 8)} * 1000 / 3281));
}
