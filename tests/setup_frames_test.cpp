// What the setup, log and service screens show: each text line compared with
// the same text drawn on its own, so a wrong row, scroll, highlight or label
// shows as a differing line.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "core/state.h"
#include "lcd/lcd.h"
#include "screens/screens.h"
#include "setup_fixture.h"

namespace {

// Text line r (0 to 6) is y = 8r + 8, exactly frame page r + 1.
using Line = std::array<uint8_t, kLcdWidth>;

Line LineOf(int row) {
    Line line;
    for (int x = 0; x < kLcdWidth; ++x) line[x] = inst.frameBuffer[(row + 1) * kLcdWidth + x];
    return line;
}

// A line holding `label` from x 0 and `value` right after it, either part
// inverted or not.
Line TextLine(const std::string& label, bool labelInverted, const std::string& value = "",
              bool valueInverted = false) {
    LcdClear();
    LcdText(0, 8, label.c_str(), 0, 1, labelInverted ? 1 : 0);
    LcdText(static_cast<uint8_t>(8 * label.size()), 8, value.c_str(), 0, 1, valueInverted ? 1 : 0);
    return LineOf(0);
}

Line CentredLine(const char* text, bool inverted) {
    LcdClear();
    LcdTextCentred(57, 8, text, 0, 1, inverted ? 1 : 0);
    return LineOf(0);
}

const Line kBlankLine{};

}  // namespace

class SetupFramesTest : public SetupScreenTest {
protected:
    // One pass of `screen` on a blank frame, without a key; the lines it drew.
    std::array<Line, 7> Show(ScreenFn screen) {
        LcdClear();
        Press(screen, KeyNone);
        std::array<Line, 7> lines;
        for (int row = 0; row < 7; ++row) lines[row] = LineOf(row);
        return lines;
    }
};

TEST_F(SetupFramesTest, AirspeedPageShowsRowsZeroToSixUntilTheCursorPassesRowSix) {
    inst.menuItem = 6;
    const auto lines = Show(ScreenAsiSetup);
    EXPECT_EQ(lines[0], CentredLine("*** DONE ***", false));
    EXPECT_EQ(lines[1], TextLine("ZERO ASI", false));
    EXPECT_EQ(lines[2], TextLine("ASI DISP: ", false, "IAS", false));
    EXPECT_EQ(lines[3], TextLine("LOW ALARM: ", false, "30", false));
    EXPECT_EQ(lines[4], TextLine("LOW ALM: ", false, "ON", false));
    EXPECT_EQ(lines[5], TextLine("HIGH ALARM:", false, "80", false));
    EXPECT_EQ(lines[6], TextLine("HIGH ALM: ", true, "ON", true));
}

TEST_F(SetupFramesTest, RowSevenScrollsDoneOffAndZeroAsiBecomesTheTopLine) {
    inst.menuItem = 7;
    const auto lines = Show(ScreenAsiSetup);
    EXPECT_EQ(lines[0], TextLine("ZERO ASI", false));
    EXPECT_EQ(lines[1], TextLine("ASI DISP: ", false, "IAS", false));
    EXPECT_EQ(lines[6], TextLine("ASI UNIT:", true, "mph", true)) << "the cursor row at the bottom";
}

TEST_F(SetupFramesTest, RowTenShowsRowsFourToTen) {
    inst.menuItem = 10;
    inst.altitudeOnTop = 1;
    inst.asiFilter = 2;
    const auto lines = Show(ScreenAsiSetup);
    // Rows 2 and 3 come out on lines -2 and -1: nothing of them may reach the title.
    EXPECT_EQ(LcdGetPixel(0, 4), 1) << "the title's rule is intact";
    EXPECT_EQ(LcdGetPixel(0, 0), 0);
    EXPECT_EQ(lines[0], TextLine("LOW ALM: ", false, "ON", false));
    EXPECT_EQ(lines[1], TextLine("HIGH ALARM:", false, "80", false));
    EXPECT_EQ(lines[2], TextLine("HIGH ALM: ", false, "ON", false));
    EXPECT_EQ(lines[3], TextLine("ASI UNIT:", false, "mph", false));
    EXPECT_EQ(lines[4], TextLine("ASI FILT: ", false, "SLOW", false));
    EXPECT_EQ(lines[5], TextLine("DIST ZERO: ", false, "MAN", false));
    EXPECT_EQ(lines[6], TextLine("POS: ", true, "BOTTOM", true)) << "the airspeed is below";
}

TEST_F(SetupFramesTest, DistZeroAutoFillsTheSameFourteenCellsAsMan) {
    inst.menuItem = 9;
    inst.distZeroAuto = 1;
    EXPECT_EQ(Show(ScreenAsiSetup)[6], TextLine("DIST ZERO:", true, "AUTO", true));
}

TEST_F(SetupFramesTest, EditingInvertsTheValueOnly) {
    inst.menuItem = 3;
    inst.lowAlarmSpeed = 250;
    EXPECT_EQ(Show(ScreenAsiSetup)[3], TextLine("LOW ALARM: ", true, "250", true));
    inst.editMode = 1;
    EXPECT_EQ(Show(ScreenAsiSetup)[3], TextLine("LOW ALARM: ", false, "250", true));
}

TEST_F(SetupFramesTest, ASpeedIsDrawnAfterTheClampOfItsPass) {
    inst.asiUnit = 2;
    inst.highAlarmSpeed = 250;
    inst.menuItem = 0;
    EXPECT_EQ(Show(ScreenAsiSetup)[5], TextLine("HIGH ALARM:", false, "217", false));
}

TEST_F(SetupFramesTest, PositionRowsNameOppositePlacesOnTheTwoPages) {
    inst.altitudeOnTop = 1;
    inst.menuItem = 0;
    EXPECT_EQ(Show(ScreenAltSetup)[3], TextLine("POS: ", false, "TOP", false));
    inst.menuItem = 10;
    EXPECT_EQ(Show(ScreenAsiSetup)[6], TextLine("POS: ", true, "BOTTOM", true));
}

TEST_F(SetupFramesTest, AltitudeAndDisplayPages) {
    inst.qnhUnit = 1;
    inst.menuItem = 2;
    const auto alt = Show(ScreenAltSetup);
    EXPECT_EQ(alt[0], CentredLine("*** DONE ***", false));
    EXPECT_EQ(alt[1], TextLine("ALT UNIT: ", false, "ft", false));
    EXPECT_EQ(alt[2], TextLine("QNH UNIT: ", true, "\"Hg", true));
    EXPECT_EQ(alt[4], kBlankLine);

    inst.menuItem = 1;
    inst.backlight = 0;
    const auto display = Show(ScreenDisplaySetup);
    EXPECT_EQ(display[1], TextLine("ADJ CONTRAST", true));
    EXPECT_EQ(display[2], TextLine("BACKLIGHT: ", false, "OFF", false));
}

TEST_F(SetupFramesTest, ContrastBarFillsTwoColumnsAStepInsideItsFrame) {
    for (uint8_t contrast : {0, 1, 37, 57}) {
        inst.contrast = contrast;
        Show(ScreenContrast);
        for (int x = 0; x < kLcdWidth; ++x) {
            // Rows 15 and 25 and columns 0 and 113 are the frame.
            const bool frame = x == 0 || x == 113;
            EXPECT_EQ(LcdGetPixel(x, 20), frame || x < 2 * contrast ? 1 : 0)
                << "contrast " << int{contrast} << " column " << x;
            EXPECT_EQ(LcdGetPixel(x, 15), 1);
            EXPECT_EQ(LcdGetPixel(x, 25), 1);
            EXPECT_EQ(LcdGetPixel(x, 14), 0);
            EXPECT_EQ(LcdGetPixel(x, 26), 0);
        }
    }
}

TEST_F(SetupFramesTest, LogMenuShowsTheTakeoffSpeedOnlyWithDetect) {
    inst.menuItem = 4;
    auto lines = Show(ScreenLogMenu);
    EXPECT_EQ(lines[1], TextLine("VIEW LOG", false));
    EXPECT_EQ(lines[2], TextLine("ERASE LOG", false));
    EXPECT_EQ(lines[3], TextLine("HOUR FRACT:", false, "MIN", false));
    EXPECT_EQ(lines[4], TextLine("FLIGHT: ", true, "MANUAL", true));
    EXPECT_EQ(lines[5], kBlankLine);

    inst.flightAutoDetect = 1;
    inst.menuItem = 5;
    inst.editMode = 1;
    lines = Show(ScreenLogMenu);
    EXPECT_EQ(lines[4], TextLine("FLIGHT: ", false, "DETECT", false));
    EXPECT_EQ(lines[5], TextLine("FLIGHT T/O:", false, " 30", true)) << "right-aligned in three";
}

TEST_F(SetupFramesTest, LogViewPagesHoldSixSevenSevenAndFourEntries) {
    inst.logHours[0] = 1;
    inst.logMinutes[0] = 5;
    inst.logHours[23] = 100;
    auto lines = Show(ScreenLogView);
    EXPECT_EQ(lines[0], CentredLine("*** DONE ***", true));
    EXPECT_EQ(lines[1], TextLine("1: 01:05", false));
    EXPECT_EQ(lines[6], TextLine("6: 00:00", false));

    inst.hourFractDecimal = 1;
    inst.menuItem = 1;
    lines = Show(ScreenLogView);
    EXPECT_EQ(lines[0], TextLine("7: 00.00", false));
    EXPECT_EQ(lines[6], TextLine("13: 00.00", false));
    inst.menuItem = 2;
    lines = Show(ScreenLogView);
    EXPECT_EQ(lines[0], TextLine("14: 00.00", false));
    EXPECT_EQ(lines[6], TextLine("20: 00.00", false));
    inst.menuItem = 3;
    lines = Show(ScreenLogView);
    EXPECT_EQ(lines[0], TextLine("21: 00.00", false));
    EXPECT_EQ(lines[3], TextLine("24: -----", false));
    EXPECT_EQ(lines[4], kBlankLine);
    inst.menuItem = 200;
    EXPECT_EQ(Show(ScreenLogView), lines) << "any page past the last shows page 3";
}

TEST_F(SetupFramesTest, LogEntriesHoldAnyEightBitValues) {
    inst.logHours[22] = 99;
    inst.logMinutes[22] = 255;
    LcdClear();
    DrawLogEntry(22, 8, 22);
    EXPECT_EQ(LineOf(0), TextLine("23: 99:255", false));
    // There is no entry past the 24th to read.
    LcdClear();
    DrawLogEntry(255, 8, 255);
    DrawLogEntry(24, 8, 24);
    EXPECT_EQ(LineOf(0), kBlankLine);
}

TEST_F(SetupFramesTest, CalibrationRowsHoldTheWidestValues) {
    inst.altCalOffset = -128;
    inst.altitudeFt = INT32_MIN;
    inst.asiCalPercent = 255;
    inst.airspeed = UINT32_MAX;
    inst.menuItem = 0;
    auto lines = Show(ScreenCalibrate);
    EXPECT_EQ(lines[1], TextLine("ALT: ", false, "-128 -2147483648", false));
    EXPECT_EQ(lines[2], TextLine("ASI: ", false, "+255% 4294967295", false));

    inst.altCalOffset = 0;
    inst.altitudeFt = 1100;
    inst.asiCalPercent = 100;
    inst.airspeed = 0;
    inst.menuItem = 2;
    inst.editMode = 1;
    lines = Show(ScreenCalibrate);
    EXPECT_EQ(lines[1], TextLine("ALT: ", false, "+0 1100", false));
    EXPECT_EQ(lines[2], TextLine("ASI: ", false, "+100% 0", true));
}

TEST_F(SetupFramesTest, AdcValuesShowTheRawReadings) {
    inst.altAdc = UINT32_MAX;
    inst.asiAdc = 17;
    const auto lines = Show(ScreenAdcValues);
    EXPECT_EQ(lines[0], CentredLine("*** DONE ***", true));
    EXPECT_EQ(lines[1], TextLine("ALTITUDE: 4294967295", false));
    EXPECT_EQ(lines[2], TextLine("ASI: 17", false));
}
