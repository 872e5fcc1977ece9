#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/fields.h"
#include "core/state.h"
#include "lcd/lcd.h"
#include "run/cli.h"
#include "run/frame_io.h"
#include "run/state_json.h"
#include "runner/run_script.h"

namespace fs = std::filesystem;

namespace {

// Lines of FrameText without its border, split into characters.
std::vector<std::vector<std::string>> FrameCells() {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(FrameText());
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        for (std::size_t i = 0; i < line.size();) {
            const auto lead = static_cast<unsigned char>(line[i]);
            const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            cells.push_back(line.substr(i, n));
            i += n;
        }
        rows.push_back(cells);
    }
    return rows;
}

class RunnerFrameTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgram(); }
};

TEST_F(RunnerFrameTest, PbmRoundTripsTheFrameAndNamesWhatIsWrongWithABadOne) {
    LcdPutPixel(0, 0, 1);
    LcdPutPixel(113, 63, 1);
    LcdPutPixel(5, 9, 1);
    const std::string pbm = PbmText(FrameDots());
    EXPECT_EQ(pbm.substr(0, 12), "P1\n114 64\n1 ");
    EXPECT_EQ(pbm.size(), 10u + 64u * (114u * 2u));
    std::vector<uint8_t> dots;
    std::string error;
    ASSERT_TRUE(ParsePbm(pbm, dots, error)) << error;
    EXPECT_EQ(dots, FrameDots());
    // Comments and dots without spaces are plain PBM too.
    ASSERT_TRUE(ParsePbm("P1 # made by hand\n114 64\n" + std::string(7295, '0') + "1", dots, error))
        << error;
    EXPECT_EQ(dots[7295], 1);

    const std::string blank(7296, '0');
    const struct {
        std::string text;
        const char* error;
    } bad[] = {
        {"P4\n114 64\n" + blank, "not a plain PBM (it must start with P1)"},
        {"P1\n64 114\n" + blank, "size 64 x 114, not 114 x 64"},
        {"P1\n114 64\n" + blank.substr(1), "it ends after 7295 of 7296 dots"},
        {"P1\n114 64\n2" + blank.substr(1), "dot 0 is not 0 or 1"},
        {"P1\n114 64\n" + blank + " 0", "it has more than 7296 dots"},
    };
    for (const auto& b : bad) {
        EXPECT_FALSE(ParsePbm(b.text, dots, error)) << b.error;
        EXPECT_EQ(error, b.error);
    }
}

TEST_F(RunnerFrameTest, TextShowsTwoByTwoDotsACharacterInsideABorder) {
    LcdPutPixel(0, 0, 1);     // top left of the first cell
    LcdPutPixel(113, 63, 1);  // bottom right of the last cell
    LcdPutPixel(2, 0, 1);     // second cell: its left column, both rows
    LcdPutPixel(2, 1, 1);
    const auto rows = FrameCells();
    ASSERT_EQ(rows.size(), 34u);
    for (const auto& row : rows) ASSERT_EQ(row.size(), 59u);
    EXPECT_EQ(rows[0][0], "┌");
    EXPECT_EQ(rows[1][0], "│");
    EXPECT_EQ(rows[1][1], "▘");
    EXPECT_EQ(rows[1][2], "▌");
    EXPECT_EQ(rows[1][3], " ");
    EXPECT_EQ(rows[32][57], "▗");
    EXPECT_EQ(rows[33][58], "┘");
}

TEST(RunnerGolden, MissingThenWrittenThenMismatchedThenMatchedAgain) {
    ScratchDir dir;
    const std::string golden = dir / "frames/dot.pbm";
    const std::string actual = dir / "frames/dot.actual.pbm";
    const std::string diff = dir / "frames/dot.diff.png";
    const std::string script = "set frameBuffer[119] 2\nexpect-frame frames/dot.pbm\n";

    RunResult r = RunText(script, dir.str());
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err, "t1.qtr:2: no golden frame " + golden +
                         ": run with --update-goldens to create it from this frame\n");

    RunOptions update;
    update.updateGoldens = true;
    r = RunText(script, dir.str(), update);
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    std::vector<uint8_t> dots;
    std::string error;
    ASSERT_TRUE(ParsePbm(Read(golden), dots, error)) << error;
    EXPECT_EQ(dots[9 * 114 + 5], 1) << "byte 119 bit 1 is dot (5, 9)";

    r = RunText("set frameBuffer[119] 2\nset frameBuffer[0] 0x81\nexpect-frame frames/dot.pbm\n",
                dir.str());
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err, "t1.qtr:3: frame differs from " + golden +
                         " in 2 dots, first at (0, 0): expected 0, found 1; wrote " + actual +
                         " and " + diff + "\n");
    EXPECT_EQ(Read(diff).substr(1, 3), "PNG");
    ASSERT_TRUE(ParsePbm(Read(actual), dots, error)) << error;
    EXPECT_EQ(dots[0], 1);
    EXPECT_EQ(dots[7 * 114], 1);
    EXPECT_EQ(dots[9 * 114 + 5], 1);

    r = RunText(script, dir.str());
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_FALSE(fs::exists(actual)) << "a match clears the stale actual frame";
    EXPECT_FALSE(fs::exists(diff)) << "and the stale difference picture";

    Write(golden, "P1\n114 63\n");
    r = RunText(script, dir.str());
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_NE(r.err.find("golden frame " + golden + " is unusable: size 114 x 63"),
              std::string::npos)
        << r.err;
}

TEST(RunnerDump, WritesFilesNextToTheScriptAndNothingWhenItCannot) {
    ScratchDir dir;
    RunResult r = RunText(
        "set frameBuffer[0] 1\n"
        "dump frame out.pbm\n"
        "dump frame out.png\n"
        "dump state out.json\n"
        "dump state\n",
        dir.str());
    ASSERT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(Read(dir / "out.pbm"), PbmText(FrameDots()));
    const std::string png = Read(dir / "out.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    // IHDR: 4 pixels a dot.
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x01\xc8\0\0\x01\0", 8));
    EXPECT_EQ(Read(dir / "out.json"), r.out);
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "one line";

    r = RunText("echo before\ndump frame no/such/dir/x.pbm\necho after\n", dir.str());
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err.rfind("t1.qtr:2: cannot write " + (dir / "no/such/dir/x.pbm") + ": ", 0), 0u)
        << r.err;
    EXPECT_EQ(r.out, "before\n");
    EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST(RunnerDump, StateJsonListsEveryFieldInRecordOrderWithItsOwnType) {
    ResetProgram();
    inst.frameBuffer[0] = 0xAB;
    inst.frameBuffer[911] = 0x80;
    inst.logHours[23] = 7;
    inst.altCalOffset = -3;
    inst.currentScreen = nullptr;
    std::strcpy(inst.commLine, "q\"b\\s\x01\xe9");
    RunnerHost host;
    host.asiLabel = "12";
    host.keyFast = true;
    const std::string json = StateJson(host);

    std::size_t at = 0;
    for (int i = 0; i < kFieldCount; ++i) {
        const std::size_t next = json.find("\"" + std::string(kFields[i].name) + "\": ", at);
        ASSERT_NE(next, std::string::npos) << kFields[i].name << " in order";
        at = next;
    }
    const std::size_t fb = json.find("\"frameBuffer\": \"") + 16;
    EXPECT_EQ(json.substr(fb, 4), "ab00");
    EXPECT_EQ(json.substr(fb + 1822, 3), "80\"");
    EXPECT_NE(json.find("\"logHours\": [0, 0, "), std::string::npos);
    EXPECT_NE(json.find(", 7], \"logMinutes\""), std::string::npos);
    EXPECT_NE(json.find("\"altCalOffset\": -3,"), std::string::npos);
    EXPECT_NE(json.find("\"currentScreen\": null, \"returnScreen\": null"), std::string::npos);
    EXPECT_NE(json.find("\"commLine\": \"q\\\"b\\\\s\\u0001\\u00e9\""), std::string::npos) << json;
    EXPECT_NE(json.find("}, \"window\": {\"power\": \"off\", \"lamp\": \"bright\", "
                        "\"commLines\": 0, \"asiSlider\": 1, \"altSlider\": 1, "
                        "\"asiLabel\": \"12\", \"altLabel\": \"0\", \"calibrate\": false, "
                        "\"keyFast\": true, \"passes\": 0, \"splashFrames\": 0}, \"hooks\": "
                        "{\"SaveSettings\": 0, \"MaxValuesResetHook\": 0, "),
              std::string::npos)
        << json;
    EXPECT_TRUE(json.ends_with("\"AlarmOutputOff\": 0}}")) << json;
}

// The command line around RunScripts.
TEST(RunnerCommandLine, OptionsScriptsAndStandardInput) {
    ScratchDir dir;
    const std::string first = dir / "first.qtr";
    const std::string bad = dir / "bad.qtr";
    Write(first, "echo first\non\npass\n");
    Write(bad, "echo bad\nexpect nothing == 1\n");

    RunResult r = Main({"--help"});
    EXPECT_EQ(r.status, kExitPassed);
    EXPECT_EQ(r.out.rfind("usage: qtr5-run [--quiet] [--update-goldens] [--report DIR] SCRIPT...\n"
                          "       qtr5-run --unused-goldens DIR SCRIPT...\n",
                          0),
              0u);
    EXPECT_NE(r.out.find("expect-frame FILE.pbm"), std::string::npos);

    EXPECT_EQ(Main({}).status, kExitError);
    r = Main({"--fast", first.c_str()});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err.rfind("qtr5-run: unknown option --fast\n", 0), 0u);
    r = Main({"-", "-"});
    EXPECT_EQ(r.err, "qtr5-run: standard input (-) can be read only once\n");
    r = Main({(dir / "none.qtr").c_str()});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err, "qtr5-run: cannot read " + (dir / "none.qtr") + ": no such file\n");

    // Scripts run in order from one program start, after all are checked.
    r = Main({"--quiet", first.c_str(), "-"}, "expect passes == 1\necho second\n");
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(r.out, "first\nsecond\n");
    EXPECT_EQ(r.err, "");
    r = Main({first.c_str(), bad.c_str()});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, bad + ":2: unknown field 'nothing'\n");

    // Without --quiet, a summary line for each script.
    r = Main({"-"}, "expect passes == 0\nexpect power == on\n");
    EXPECT_EQ(r.status, kExitError);
    r = Main({"-"}, "expect passes == 0\nexpect power == running\n");
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err,
              "<stdin>:2: expected power == running, found off\n"
              "<stdin>: 1 of 2 expectations failed\n");
}

}  // namespace
