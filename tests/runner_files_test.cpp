#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
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
    // Every plain header of the right size: leading zeros, comments wherever
    // spacing may be, dots without spaces.
    for (const char* header : {"P1 # made by hand\n114 64\n", "P1 0114 064 ", "P1#c\n114#c\n64#c\n",
                               "P1\t114\r\n64\n# dots follow\n"}) {
        ASSERT_TRUE(ParsePbm(header + std::string(7295, '0') + "1", dots, error))
            << header << ": " << error;
        EXPECT_EQ(dots[7295], 1) << header;
        EXPECT_EQ(dots[0], 0) << header;
    }

    const std::string blank(7296, '0');
    const struct {
        std::string text;
        const char* error;
    } bad[] = {
        {"P4\n114 64\n" + blank, "not a plain PBM (it must start with P1)"},
        {"P1\n64 114\n" + blank, "size 64 x 114, not 114 x 64"},
        {"P1\n114 64\n" + blank.substr(1), "it ends after 7295 of 7296 dots"},
        {"P1\n114 064x\n" + blank, "size 114 x 064x, not 114 x 64"},
        {"P1\n-114 64\n" + blank, "size -114 x 64, not 114 x 64"},
        {"P1\n114\n", "size 114 x , not 114 x 64"},
        {"P1\n114 64\n2" + blank.substr(1), "after 0 of 7296 dots, '2' is not 0 or 1"},
        {"P1\n114 64\n00 1\x01" + blank, "after 3 of 7296 dots, '\\x01' is not 0 or 1"},
        {"P1\n114 64\n" + blank + " 0 1", "it has 7298 dots, not 7296"},
        {"P1\n114 64\n" + blank + " x", "after its 7296 dots, 'x' is not 0 or 1"},
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

// What else lies in a directory besides the given names: a temporary file
// left behind would show here.
std::vector<std::string> Others(const ScratchDir& dir, const std::vector<std::string>& known) {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(dir.str())) {
        const std::string name = entry.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
    }
    return others;
}

using Strings = std::vector<std::string>;

TEST(RunnerFiles, ASymlinkIsFollowedAndKept) {
    ScratchDir dir;
    Write(dir / "real.json", "old");
    fs::create_symlink("real.json", dir / "link.json");
    fs::create_symlink("later.json", dir / "dangling.json");
    const RunResult r = RunText("dump state link.json\ndump state dangling.json\n", dir.str());
    ASSERT_EQ(r.status, kExitPassed) << r.err;
    for (const char* link : {"link.json", "dangling.json"})
        EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
    EXPECT_EQ(Read(dir / "real.json").rfind("{\"instrument\"", 0), 0u);
    EXPECT_EQ(Read(dir / "later.json"), Read(dir / "real.json"));
    EXPECT_EQ(Others(dir, {"real.json", "link.json", "dangling.json", "later.json"}), Strings{});

    fs::create_symlink("loop.json", dir / "loop.json");
    std::string error;
    EXPECT_FALSE(WriteWholeFile(dir / "loop.json", "x", false, error));
    EXPECT_EQ(error, "cannot write " + (dir / "loop.json") + ": " + std::strerror(ELOOP));
}

TEST(RunnerFiles, FifosAndDevicesAreWrittenInPlace) {
    ScratchDir dir;
    const std::string fifo = dir / "fifo.json";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
    std::string received;
    std::thread reader([&] { received = Read(fifo); });
    RunResult r = RunText("dump state fifo.json\n", dir.str());
    reader.join();
    ASSERT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(received.rfind("{\"instrument\"", 0), 0u) << received.substr(0, 40);

    // As /dev/stdout names standard output: the kernel's link to a pipe.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::string piped;
    std::thread pipeReader([&] {
        char buffer[4096];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            piped.append(buffer, static_cast<std::size_t>(n));
    });
    r = RunText("dump state /proc/self/fd/" + std::to_string(fds[1]) + "\n");
    ::close(fds[1]);
    pipeReader.join();
    ::close(fds[0]);
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(piped.rfind("{\"instrument\"", 0), 0u) << piped.substr(0, 40);

    // A node of the null device of our own, never the system's.
    const std::string null = dir / "null";
    if (mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
    r = RunText("dump state null\ndump frame null.pbm\n", dir.str());
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_TRUE(fs::is_character_file(null));
    EXPECT_EQ(Others(dir, {"fifo.json", "null", "null.pbm"}), Strings{});
}

TEST(RunnerFiles, ANeighbourPartFileIsLeftAlone) {
    ScratchDir dir;
    Write(dir / "out.pbm.part", "mine");
    const RunResult r = RunText("dump frame out.pbm\n", dir.str());
    ASSERT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(Read(dir / "out.pbm.part"), "mine");
    EXPECT_EQ(Read(dir / "out.pbm"), PbmText(FrameDots()));
    EXPECT_EQ(Others(dir, {"out.pbm", "out.pbm.part"}), Strings{});
}

TEST(RunnerFiles, ReadOnlyFilesAndDirectoriesAreRefusedByTheirGivenName) {
    ScratchDir dir;
    Write(dir / "locked.json", "keep");
    fs::permissions(dir / "locked.json", fs::perms::owner_read | fs::perms::group_read);
    fs::create_directory(dir / "folder.pbm");
    const struct {
        const char* line;
        std::string message;
    } cases[] = {
        {"dump state locked.json", "cannot write " + (dir / "locked.json") + ": it is read-only"},
        {"dump frame folder.pbm", "cannot write " + (dir / "folder.pbm") + ": it is a directory"},
    };
    for (const auto& c : cases) {
        const RunResult r = RunText(std::string(c.line) + "\n", dir.str());
        EXPECT_EQ(r.status, kExitError) << c.line;
        EXPECT_EQ(r.err, "t1.qtr:1: " + c.message + "\n");
    }
    EXPECT_EQ(Read(dir / "locked.json"), "keep");
    EXPECT_TRUE(fs::is_directory(dir / "folder.pbm"));
    EXPECT_EQ(Others(dir, {"locked.json", "folder.pbm"}), Strings{});
}

TEST(RunnerFiles, ReplacingKeepsTheModeAndNewFilesFollowTheUmask) {
    ScratchDir dir;
    Write(dir / "shared.json", "old");
    ::chmod((dir / "shared.json").c_str(), 0664);
    const mode_t saved = ::umask(027);
    std::string error;
    const bool replaced = WriteWholeFile(dir / "shared.json", "new", false, error);
    const bool created = WriteWholeFile(dir / "fresh.json", "new", false, error);
    ::umask(saved);
    ASSERT_TRUE(replaced && created) << error;
    struct stat st;
    ASSERT_EQ(::stat((dir / "shared.json").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    ASSERT_EQ(::stat((dir / "fresh.json").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(RunnerFiles, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    ScratchDir dir;
    Write(dir / "big.json", "old");
    // A file-size limit makes the write itself fail, even for root.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    std::string error;
    const bool written = WriteWholeFile(dir / "big.json", std::string(1000, 'x'), false, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "cannot write " + (dir / "big.json") + ": " + std::strerror(EFBIG));
    EXPECT_EQ(Read(dir / "big.json"), "old");
    EXPECT_EQ(Others(dir, {"big.json"}), Strings{});
}

TEST(RunnerFiles, TwoWritersBothSucceedAndTheLastWinsWhole) {
    ScratchDir dir;
    const std::string path = dir / "race.pbm";
    const std::string a(200000, 'a'), b(300000, 'b');
    std::atomic<int> failures{0};
    const auto writer = [&](const std::string& bytes) {
        for (int i = 0; i < 50; ++i) {
            std::string error;
            if (!WriteWholeFile(path, bytes, false, error)) ++failures;
        }
    };
    std::thread first(writer, std::cref(a)), second(writer, std::cref(b));
    // Whatever a reader finds meanwhile is one whole file.
    for (int i = 0; i < 50; ++i) {
        std::string bytes, error;
        if (ReadWholeFile(path, bytes, error)) {
            EXPECT_TRUE(bytes == a || bytes == b) << bytes.size();
        }
    }
    first.join();
    second.join();
    EXPECT_EQ(failures, 0);
    const std::string last = Read(path);
    EXPECT_TRUE(last == a || last == b) << last.size();
    EXPECT_EQ(Others(dir, {"race.pbm"}), Strings{});
}

TEST(RunnerFiles, ScriptsFromPipesAndFifosAreReadToTheEnd) {
    ScratchDir dir;
    const std::string script = "echo " + std::string(100000, 'p') + "\necho end\n";
    const std::string fifo = dir / "script.qtr";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
    std::thread fifoWriter([&] { std::ofstream(fifo) << script; });
    RunResult r = Main({"--quiet", fifo.c_str()});
    fifoWriter.join();
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(r.out, script.substr(5, 100000) + "\nend\n");

    // As a process substitution names it: /proc/self/fd/N of a pipe.
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::thread pipeWriter([&] {
        for (std::size_t at = 0; at < script.size();) {
            const ssize_t n = ::write(fds[1], script.data() + at, script.size() - at);
            if (n <= 0) break;
            at += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
    });
    const std::string procPath = "/proc/self/fd/" + std::to_string(fds[0]);
    r = Main({"--quiet", procPath.c_str()});
    pipeWriter.join();
    ::close(fds[0]);
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(r.out, script.substr(5, 100000) + "\nend\n");

    r = Main({dir.str().c_str()});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err, "qtr5-run: cannot read " + dir.str() + ": it is a directory\n");
}

}  // namespace
