#include <gtest/gtest.h>

#include <string>

#include "run/pacing.h"
#include "runner/run_script.h"

namespace {

// Runs a script whose expectations must all hold; a failure shows the lines.
void ExpectScriptHolds(const std::string& text) {
    const RunResult r = RunText(text);
    EXPECT_EQ(r.status, kExitPassed) << r.err;
}

// A bad line after a good one: the message names the line, and nothing runs.
TEST(RunnerCheck, EveryBadLineStopsTheScriptBeforeAnythingRuns) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"frobnicate", "unknown command 'frobnicate'"},
        {"tick 1 2", "wrong number of arguments; usage: tick [N]"},
        {"expect qnh ==", "wrong number of arguments; usage: expect FIELD OP VALUE"},
        {"on now", "wrong number of arguments; usage: on"},
        {"tick 0", "count 0 is out of range (1 to 1000000)"},
        {"step 1000001", "count 1000001 is out of range (1 to 1000000)"},
        {"pass many", "count must be a whole number, not 'many'"},
        {"slider asi 4097", "slider position 4097 is out of range (0 to 4096)"},
        {"slider asi -1", "slider position -1 is out of range (0 to 4096)"},
        {"slider pitot 5", "unknown slider 'pitot' (asi or alt)"},
        {"key up", "unknown key 'up' (enter, cw, ccw, left or right)"},
        {"box calibrate maybe", "a box is on or off, not 'maybe'"},
        {"box backlight on", "unknown box 'backlight' (calibrate or keyfast)"},
        {"run 65", "bad duration '65': write whole seconds or milliseconds"},
        {"run 1.5s", "bad duration '1.5s'"},
        {"run 2m", "bad duration '2m'"},
        {"run -5s", "bad duration '-5s'"},
        {"run 0ms", "duration 0ms is too short (at least 1ms)"},
        {"run 000s", "duration 000s is too short (at least 1ms)"},
        {"run 86401s", "duration 86401s is too long (at most 86400s, one day)"},
        {"run 99999999999999999999999ms", "duration 99999999999999999999999ms is too long"},
        {"run 1s 0", "pace 0 is out of range (1 to 1000)"},
        {"run 1s 1001", "pace 1001 is out of range (1 to 1000)"},
        {"set nosuch 1", "unknown field 'nosuch'"},
        {"expect hooks.Nothing == 0", "unknown hook 'Nothing'"},
        {"set contrast 256", "256 does not fit contrast (0 to 255)"},
        {"set altCalOffset -129", "-129 does not fit altCalOffset (-128 to 127)"},
        {"set qnh -1", "-1 does not fit qnh (0 to 4294967295)"},
        {"set altitude 2147483648", "2147483648 does not fit altitude (-2147483648 to 2147483647)"},
        {"set contrast abc", "contrast takes a whole number, not 'abc'"},
        {"set contrast 99999999999999999999",
         "99999999999999999999 is out of range for contrast (0 to 255)"},
        {"set altitude -0x8000000000000001", "-0x8000000000000001 is out of range for altitude"},
        {"set contrast 1e3", "contrast takes a whole number, not '1e3'"},
        {"tick 99999999999999999999", "count 99999999999999999999 is out of range (1 to 1000000)"},
        {"set logHours[0024] 1", "index 24 is outside logHours (0 to 23)"},
        {"set logHours[99999999999999999999] 1",
         "index 99999999999999999999 is outside logHours (0 to 23)"},
        {"set logHours[] 1", "bad element 'logHours[]'"},
        {"set logHours 1", "logHours is an array of 24: name one element, e.g. logHours[0]"},
        {"set logHours[24] 1", "index 24 is outside logHours (0 to 23)"},
        {"set logHours[x] 1", "bad element 'logHours[x]'"},
        {"set qnh[0] 1", "qnh is not an array"},
        {"set currentScreen ScreenNowhere", "unknown screen 'ScreenNowhere'"},
        {"expect returnScreen == main", "unknown screen 'main'"},
        {"set commLine \"12345678901234567890123456789012345678901234567890\"",
         "commLine holds at most 49 bytes, not 50"},
        // Each of these letters is two bytes: 25 of them fill 50.
        {"set commLine \"ééééééééééééééééééééééééé\"", "commLine holds at most 49 bytes, not 50"},
        {"set lamp dark", "'lamp' cannot be set: only instrument fields can"},
        {"expect qnh => 5", "unknown comparison '=>' (== != < <= > >=)"},
        {"expect commLine < \"a\"", "commLine compares only with == or !="},
        {"expect currentScreen >= ScreenMain", "currentScreen compares only with == or !="},
        {"expect lamp == dim", "lamp is bright or dark, not 'dim'"},
        {"expect power == on", "power is off, splash or running, not 'on'"},
        {"expect keyFast == yes", "keyFast is on or off, not 'yes'"},
        {"expect splashFrames == 81", "81 does not fit splashFrames (0 to 80)"},
        {"expect-pixel 114 0 1", "x 114 is out of range (0 to 113)"},
        {"expect-pixel 0 64 1", "y 64 is out of range (0 to 63)"},
        {"expect-pixel 0 0 2", "dot 2 is out of range (0 to 1)"},
        {"expect-frame golden.png", "a golden frame is a .pbm file, not 'golden.png'"},
        {"dump frame", "dump frame needs a FILE (.pbm or .png), or - for the terminal"},
        {"dump frame shot.jpg", "dump frame writes .pbm or .png files, not 'shot.jpg'"},
        {"dump memory", "dump what? 'state' or 'frame', not 'memory'"},
        {"set commLine \"abc", "unterminated string"},
        // Messages quote a short, printable excerpt of what is wrong.
        {"key \x01up\x7f", "unknown key '\\x01up\\x7F' (enter"},
        {"key \xC3(", "unknown key '\\xC3(' (enter"},
        {"key \xEF\xBB\xBF"
         "enter",
         "unknown key '<byte-order mark>enter' (enter"},
        {"key ab\xC3\xA9", "unknown key 'abé' (enter"},
        {"key 0123456789012345678901234567890123456789XYZ",
         "unknown key '0123456789012345678901234567890123456789...' (enter"},
        {"set commLine \"a\\nb\"", "in a string, a backslash goes only before \" or \\"},
        {"set commLine \"a\"b", "a space must follow a closing quote"},
    };
    for (const auto& c : cases) {
        const RunResult r = RunText(std::string("echo ran\n") + c.line + "\n");
        EXPECT_EQ(r.status, kExitError) << c.line;
        EXPECT_NE(r.err.find(std::string("t1.qtr:2: ") + c.message), std::string::npos)
            << c.line << "\n"
            << r.err;
        EXPECT_EQ(r.out, "") << c.line;
    }
}

TEST(RunnerCheck, ReportsEveryBadLineOfEveryScriptAndRunsNone) {
    const RunResult r = RunTexts({"echo one\nbogus\ntick 0\n", "echo two\nkey up\n"});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err,
              "t1.qtr:2: unknown command 'bogus'\n"
              "t1.qtr:3: count 0 is out of range (1 to 1000000)\n"
              "t2.qtr:2: unknown key 'up' (enter, cw, ccw, left or right)\n");
    EXPECT_EQ(r.out, "");
}

TEST(RunnerCheck, AHugeLineGivesAOneLineMessage) {
    for (const std::string& line :
         {"key " + std::string(1 << 20, 'x'), "set qnh " + std::string(1 << 20, '9'),
          "key " + std::string(1 << 20, '\x01'), "run " + std::string(1 << 20, '7') + "s"}) {
        const RunResult r = RunText(line + "\n");
        EXPECT_EQ(r.status, kExitError);
        EXPECT_LT(r.err.size(), 300u) << r.err.substr(0, 300);
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err.substr(0, 300);
    }
}

TEST(RunnerCheck, AByteOrderMarkIsNamed) {
    const RunResult r = RunText(
        "\xEF\xBB\xBF"
        "echo hi\n");
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err,
              "t1.qtr:1: the script starts with a byte-order mark: save it as UTF-8 "
              "without one\n");
}

TEST(RunnerCheck, AcceptsEveryFormOfValue) {
    ExpectScriptHolds(
        "set frameBuffer[911] 0x80\n"
        "expect frameBuffer[911] == 128\n"
        "expect frameBuffer[0911] == 128\n"
        "set logHours[003] 7\n"
        "expect logHours[3] == 7\n"
        "set contrast 0255\n"
        "expect contrast == 255\n"
        "run 01500ms\n"
        "set altCalOffset -128\n"
        "expect altCalOffset <= -128\n"
        "set commLine \"say \\\"hi\\\" \\\\ # not a comment\"\n"
        "expect commLine == \"say \\\"hi\\\" \\\\ # not a comment\"\n"
        "set commLine \"\"\n"
        "expect commLine == \"\"\n"
        "set returnScreen ScreenLogView\n"
        "expect returnScreen == ScreenLogView\n"
        "set returnScreen null\n"
        "expect returnScreen == null\n"
        "expect asiLabel == \"0\"\n"
        "expect asiLabel == 0\n"
        "expect calibrate == off\n"
        "expect hooks.SaveSettings == 0\n"
        "\r\n"
        "   # a comment line\n"
        "expect power == off   # a comment after a command\n");
}

TEST(RunnerCheck, EchoPrintsTheRestOfTheLineUpToAComment) {
    const RunResult r = RunText(
        "echo  issue#5 stays,   \"quotes\" too # but this goes\n"
        "echo\n"
        "echo # only a comment\n");
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(r.out, "issue#5 stays,   \"quotes\" too\n\n\n");
}

TEST(RunnerExpect, AFailureNamesTheLineAndTheValuesAndTheScriptGoesOn) {
    const RunResult r = RunText(
        "expect contrast == 37\n"
        "set commLine \"a\\\"b\"\n"
        "expect commLine != \"a\\\"b\"\n"
        "expect lamp == dark\n"
        "expect currentScreen == ScreenMain\n"
        "expect-pixel 5 9 1\n"
        "expect power == off\n"
        "echo still running\n");
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err,
              "t1.qtr:1: expected contrast == 37, found 0\n"
              "t1.qtr:3: expected commLine != \"a\\\"b\", found \"a\\\"b\"\n"
              "t1.qtr:4: expected lamp == dark, found bright\n"
              "t1.qtr:5: expected currentScreen == ScreenMain, found null\n"
              "t1.qtr:6: expected pixel (5, 9) == 1, found 0\n");
    EXPECT_EQ(r.out, "still running\n");
}

TEST(RunnerExpect, NumbersCompareWithEveryOperator) {
    const struct {
        const char* op;
        bool below, equal, above;  // does "37 OP v" hold for v = 38, 37, 36
    } ops[] = {{"==", false, true, false}, {"!=", true, false, true}, {"<", true, false, false},
               {"<=", true, true, false},  {">", false, false, true}, {">=", false, true, true}};
    for (const auto& op : ops) {
        const int values[] = {38, 37, 36};
        const bool holds[] = {op.below, op.equal, op.above};
        for (int i = 0; i < 3; ++i) {
            const RunResult r = RunText("set contrast 37\nexpect contrast " + std::string(op.op) +
                                        " " + std::to_string(values[i]) + "\n");
            EXPECT_EQ(r.status, holds[i] ? kExitPassed : kExitFailed)
                << "37 " << op.op << " " << values[i];
        }
    }
}

TEST(RunnerSteps, StepAndPassWhileOffStopTheRunAtThatLine) {
    for (const char* command : {"step", "pass 3"}) {
        const RunResult r = RunText(std::string("echo before\n") + command + "\necho after\n");
        EXPECT_EQ(r.status, kExitError) << command;
        EXPECT_EQ(r.err, "t1.qtr:2: the instrument is off\n") << command;
        EXPECT_EQ(r.out, "before\n") << command;
    }
}

TEST(RunnerSteps, GoingOffInTheMiddleOfAStepCountIsTheSameError) {
    const RunResult r = RunText("on\npass 2\nset powerOffRequest 1\nstep 3\n");
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err, "t1.qtr:4: the instrument is off\n");
    // The last step that ran ends the loop: no error.
    EXPECT_EQ(RunText("on\npass 2\nset powerOffRequest 1\nstep\nexpect power == off\n").status,
              kExitPassed);
}

TEST(RunnerSteps, PassFinishesTheSplashThenCountsFromTheMainLoop) {
    ExpectScriptHolds(
        "on\nstep 10\nexpect splashFrames == 10\n"
        "pass 3\nexpect splashFrames == 80\nexpect passes == 3\n"
        "pass 2\nexpect passes == 5\n"
        "on\nstep 80\nexpect passes == 0\nexpect power == splash\n"
        "step\nexpect passes == 1\nexpect power == running\n");
}

TEST(RunnerSteps, StateCarriesOverFromScriptToScript) {
    const RunResult r =
        RunTexts({"on\npass 2\n", "expect passes == 2\npass\nexpect commLines == 3\n"});
    EXPECT_EQ(r.status, kExitPassed) << r.err;
}

TEST(RunnerPacing, ScheduleStaysOnWholeMicrosecondsWithoutDrift) {
    StepSchedule s;
    s.Start(0);
    EXPECT_EQ(s.NextUs(), 40000);
    s.Stepped(40000, 3);  // the splash ended: three a second from here
    std::vector<int64_t> next;
    for (int i = 0; i < 3; ++i) {
        next.push_back(s.NextUs());
        s.Stepped(s.NextUs(), 3);
    }
    EXPECT_EQ(next, (std::vector<int64_t>{373333, 706666, 1040000}));
    EXPECT_EQ(NextTickAfter(0), 100000);
    EXPECT_EQ(NextTickAfter(99999), 100000);
    EXPECT_EQ(NextTickAfter(100000), 200000);
}

TEST(RunnerPacing, SplashFramesComeEvery40msAndPassesAtThePace) {
    ExpectScriptHolds(
        "on\n"
        "run 39ms\nexpect splashFrames == 0\n"
        "run 1ms\nexpect splashFrames == 1\n"
        "run 960ms\nexpect splashFrames == 25\nexpect blinkCount == 10\n"
        "run 2200ms\nexpect splashFrames == 80\nexpect passes == 0\n"  // frame 80 at 3200 ms
        "run 40ms\nexpect passes == 1\n"                               // the tail, then pass 1
        "run 99ms\nexpect passes == 1\n"
        "run 1ms\nexpect passes == 2\n"
        // The step already due keeps its time; the new pace follows it.
        "run 1s 20\nexpect passes == 21\n"  // 3440 ms, then every 50 ms to 4340 ms
        "run 1s\nexpect passes == 31\n");   // 4390 ms, then every 100 ms to 5290 ms
}

TEST(RunnerPacing, WhileOffRunOnlyTicksAndStepsLeaveTheClockAlone) {
    ExpectScriptHolds(
        "run 1s\nexpect power == off\nexpect blinkCount == 10\n"
        "on\npass 5\nexpect blinkCount == 10\n"
        // pass and step left the schedule as ON set it: the next step at +40 ms.
        "run 40ms\nexpect passes == 6\n"
        "off\nrun 10s\nexpect passes == 6\nexpect slowTickCount == 10\n");
}

TEST(RunnerPacing, ATickGoesBeforeAStepDueAtTheSameInstant) {
    // ON at 60 ms puts every pass on a tick: at 3300 ms, 3400 ms, ...
    ExpectScriptHolds(
        "run 60ms\non\nrun 3240ms\nexpect passes == 1\n"
        "set currentScreen ScreenMainMenu\nset menuTimeout 1\nset slowTickCount 19\n"
        // The tick at 3400 ms is a slow tick: the pass that follows at the
        // same instant finds the menu timed out.
        "run 100ms\nexpect passes == 2\nexpect menuTimeout == 30\n"
        "expect currentScreen == ScreenMain\nexpect hooks.SaveSettings == 2\n");
}

TEST(RunnerPacing, OnWhileRunningRestartsTheSplashScheduleFromNow) {
    ExpectScriptHolds(
        "on\nrun 5s\nexpect power == running\n"
        "on\nexpect power == splash\nexpect passes == 0\n"
        "run 40ms\nexpect splashFrames == 1\n");
}

}  // namespace
