#include "run/script.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <limits>
#include <ostream>
#include <sstream>

#include "core/sequence.h"
#include "core/state.h"
#include "lcd/lcd.h"
#include "run/frame_diff.h"
#include "run/frame_io.h"
#include "run/pacing.h"
#include "run/png.h"
#include "run/probe.h"
#include "run/report.h"
#include "run/runner_host.h"
#include "run/state_json.h"

namespace {

constexpr int64_t kMaxCount = 1000000;
constexpr int kPngScale = 4;

enum class Op : uint8_t { Eq, Ne, Lt, Le, Gt, Ge };
const char* const kOpNames[] = {"==", "!=", "<", "<=", ">", ">="};

enum class Outcome : uint8_t { Done, Failed, Stop };

struct Command;

// One script line, with what its command's check made of the arguments.
struct Line {
    const ScriptSource* script = nullptr;
    int number = 0;
    const Command* command = nullptr;
    std::vector<std::string> args;
    std::string rest;  // the raw text after the command word (echo)

    int64_t count = 1;            // tick, step, pass; slider position
    void (*handler)() = nullptr;  // key
    Slider slider = Slider::Asi;  // slider
    bool on = false;              // box
    int64_t ms = 0;               // run
    int64_t pace = kDefaultPace;  // run
    Probe probe;                  // set, expect
    Op op = Op::Eq;               // expect
    Value value;                  // set, expect
    int x = 0, y = 0, dot = 0;    // expect-pixel
    bool state = false;           // dump: state rather than frame
    std::string path;             // files, resolved; "" for standard output

    std::string Where() const { return script->name + ":" + std::to_string(number) + ": "; }
};

struct Runner {
    const RunOptions& options;
    std::ostream& out;
    std::ostream& err;
    RunnerHost host;
    int64_t nowUs = 0;
    StepSchedule schedule;
    int expectations = 0;
    int failures = 0;

    Runner(const RunOptions& o, std::ostream& os, std::ostream& es) : options(o), out(os), err(es) {
        ResetProgram();
        SetHost(&host);
    }
    ~Runner() { SetHost(nullptr); }

    Outcome Error(const Line& line, const std::string& message) {
        err << line.Where() << message << '\n';
        return Outcome::Stop;
    }
    Outcome Check(const Line& line, bool held, const std::string& message) {
        ++expectations;
        if (held) return Outcome::Done;
        ++failures;
        err << line.Where() << message << '\n';
        if (options.report != nullptr)
            options.report->failures.push_back(
                {line.script->name + ":" + std::to_string(line.number), message, "", {}, {}});
        return Outcome::Failed;
    }
    void Note(const std::string& message) {
        if (!options.quiet) err << message << '\n';
    }
};

struct Command {
    const char* name;
    int minArgs;
    int maxArgs;  // -1: any number (echo)
    const char* usage;
    const char* help;
    bool (*check)(Line& line, std::string& error);  // nullptr: nothing to check
    Outcome (*act)(Runner& runner, const Line& line);
};

// ---- Checks: turn the arguments into the line's fields, or say what is wrong.

bool ParseRange(const std::string& token, const char* what, int64_t min, int64_t max,
                int64_t& value, std::string& error) {
    bool tooLarge = false;
    if (!ParseInteger(token, value, &tooLarge) && !tooLarge) {
        error = std::string(what) + " must be a whole number, not '" + Excerpt(token) + "'";
        return false;
    }
    if (tooLarge || value < min || value > max) {
        error = std::string(what) + " " + Excerpt(token) + " is out of range (" +
                std::to_string(min) + " to " + std::to_string(max) + ")";
        return false;
    }
    return true;
}

std::string ResolvePath(const Line& line, const std::string& path) {
    const std::filesystem::path p(path);
    if (p.is_absolute() || line.script->dir.empty()) return path;
    return (std::filesystem::path(line.script->dir) / p).string();
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() > tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool CheckKey(Line& line, std::string& error) {
    static const struct {
        const char* name;
        void (*handler)();
    } kKeys[] = {{"enter", Image5Click},
                 {"cw", Button3Click},
                 {"ccw", Button4Click},
                 {"left", Image3Click},
                 {"right", Image6Click}};
    for (const auto& key : kKeys)
        if (line.args[0] == key.name) {
            line.handler = key.handler;
            return true;
        }
    error = "unknown key '" + Excerpt(line.args[0]) + "' (enter, cw, ccw, left or right)";
    return false;
}

bool CheckSlider(Line& line, std::string& error) {
    if (line.args[0] != "asi" && line.args[0] != "alt") {
        error = "unknown slider '" + Excerpt(line.args[0]) + "' (asi or alt)";
        return false;
    }
    line.slider = line.args[0] == "asi" ? Slider::Asi : Slider::Alt;
    return ParseRange(line.args[1], "slider position", 0, 4096, line.count, error);
}

bool CheckBox(Line& line, std::string& error) {
    if (line.args[0] != "calibrate" && line.args[0] != "keyfast") {
        error = "unknown box '" + Excerpt(line.args[0]) + "' (calibrate or keyfast)";
        return false;
    }
    if (line.args[1] != "on" && line.args[1] != "off") {
        error = "a box is on or off, not '" + Excerpt(line.args[1]) + "'";
        return false;
    }
    line.on = line.args[1] == "on";
    return true;
}

bool CheckCount(Line& line, std::string& error) {
    line.count = 1;
    return line.args.empty() || ParseRange(line.args[0], "count", 1, kMaxCount, line.count, error);
}

bool CheckRun(Line& line, std::string& error) {
    if (!ParseDuration(line.args[0], line.ms)) {
        error = "bad duration '" + Excerpt(line.args[0]) +
                "': write whole seconds or milliseconds, e.g. " + "65s or 1500ms";
        return false;
    }
    if (line.ms < 1) {
        error = "duration " + Excerpt(line.args[0]) + " is too short (at least 1ms)";
        return false;
    }
    if (line.ms > kMaxRunMs) {
        error = "duration " + Excerpt(line.args[0]) + " is too long (at most 86400s, one day)";
        return false;
    }
    line.pace = kDefaultPace;
    return line.args.size() < 2 || ParseRange(line.args[1], "pace", 1, kMaxPace, line.pace, error);
}

bool CheckSet(Line& line, std::string& error) {
    if (!ResolveProbe(line.args[0], line.probe, error)) return false;
    if (line.probe.field == nullptr) {
        error = "'" + Excerpt(line.args[0]) + "' cannot be set: only instrument fields can";
        return false;
    }
    return ParseValue(line.probe, line.args[1], line.value, error);
}

bool CheckExpect(Line& line, std::string& error) {
    if (!ResolveProbe(line.args[0], line.probe, error)) return false;
    const auto op = std::find(std::begin(kOpNames), std::end(kOpNames), line.args[1]);
    if (op == std::end(kOpNames)) {
        error = "unknown comparison '" + Excerpt(line.args[1]) + "' (== != < <= > >=)";
        return false;
    }
    line.op = static_cast<Op>(op - std::begin(kOpNames));
    if (line.probe.kind != ValueKind::Number && line.op != Op::Eq && line.op != Op::Ne) {
        error = line.args[0] + " compares only with == or !=";
        return false;
    }
    return ParseValue(line.probe, line.args[2], line.value, error);
}

bool CheckPixel(Line& line, std::string& error) {
    int64_t x, y, dot;
    if (!ParseRange(line.args[0], "x", 0, kLcdWidth - 1, x, error) ||
        !ParseRange(line.args[1], "y", 0, kLcdHeight - 1, y, error) ||
        !ParseRange(line.args[2], "dot", 0, 1, dot, error))
        return false;
    line.x = static_cast<int>(x);
    line.y = static_cast<int>(y);
    line.dot = static_cast<int>(dot);
    return true;
}

bool CheckFrame(Line& line, std::string& error) {
    if (!EndsWith(line.args[0], ".pbm")) {
        error = "a golden frame is a .pbm file, not '" + Excerpt(line.args[0]) + "'";
        return false;
    }
    line.path = ResolvePath(line, line.args[0]);
    return true;
}

bool CheckDump(Line& line, std::string& error) {
    const std::string& what = line.args[0];
    const std::string file = line.args.size() > 1 ? line.args[1] : "-";
    if (what != "state" && what != "frame") {
        error = "dump what? 'state' or 'frame', not '" + Excerpt(what) + "'";
        return false;
    }
    line.state = what == "state";
    if (!line.state && line.args.size() < 2) {
        error = "dump frame needs a FILE (.pbm or .png), or - for the terminal";
        return false;
    }
    if (!line.state && file != "-" && !EndsWith(file, ".pbm") && !EndsWith(file, ".png")) {
        error = "dump frame writes .pbm or .png files, not '" + Excerpt(file) + "'";
        return false;
    }
    line.path = file == "-" ? "" : ResolvePath(line, file);
    return true;
}

// ---- Actions.

Outcome ActOn(Runner& r, const Line&) {
    Button1Click();
    r.schedule.Start(r.nowUs);
    return Outcome::Done;
}

Outcome ActOff(Runner&, const Line&) {
    Button2Click();
    return Outcome::Done;
}

Outcome ActKey(Runner&, const Line& line) {
    line.handler();
    return Outcome::Done;
}

Outcome ActSlider(Runner& r, const Line& line) {
    r.host.MoveSlider(line.slider, static_cast<int32_t>(line.count));
    return Outcome::Done;
}

Outcome ActBox(Runner& r, const Line& line) {
    (line.args[0] == "calibrate" ? r.host.calibrate : r.host.keyFast) = line.on;
    return Outcome::Done;
}

Outcome ActTick(Runner&, const Line& line) {
    for (int64_t i = 0; i < line.count; ++i) Timer1Timer();
    return Outcome::Done;
}

Outcome ActStep(Runner& r, const Line& line) {
    for (int64_t i = 0; i < line.count; ++i)
        if (!InstrumentStep()) return r.Error(line, "the instrument is off");
    return Outcome::Done;
}

Outcome ActPass(Runner& r, const Line& line) {
    // From the splash, the count starts with the main loop's first pass.
    const uint64_t target =
        (seq.power == Power::Splash ? 0 : seq.passes) + static_cast<uint64_t>(line.count);
    while (seq.power == Power::Splash || seq.passes < target)
        if (!InstrumentStep()) return r.Error(line, "the instrument is off");
    return Outcome::Done;
}

// Ticks and steps in time order, a tick first when both fall on one instant.
Outcome ActRun(Runner& r, const Line& line) {
    const int64_t endUs = r.nowUs + line.ms * 1000;
    for (;;) {
        if (seq.power == Power::Off) r.schedule.active = false;
        const int64_t tickUs = NextTickAfter(r.nowUs);
        const int64_t stepUs = r.schedule.active ? std::max(r.schedule.NextUs(), r.nowUs)
                                                 : std::numeric_limits<int64_t>::max();
        const int64_t atUs = std::min(tickUs, stepUs);
        if (atUs > endUs) break;
        r.nowUs = atUs;
        if (tickUs <= stepUs) {
            Timer1Timer();
        } else {
            InstrumentStep();
            r.schedule.Stepped(atUs, seq.power == Power::Splash ? kSplashRate : line.pace);
        }
    }
    r.nowUs = endUs;
    return Outcome::Done;
}

Outcome ActSet(Runner&, const Line& line) {
    WriteProbe(line.probe, line.value);
    return Outcome::Done;
}

bool Holds(const Value& actual, Op op, const Value& want) {
    if (actual.kind != ValueKind::Number) return (actual.text == want.text) == (op == Op::Eq);
    const int64_t a = actual.number, b = want.number;
    switch (op) {
    case Op::Eq: return a == b;
    case Op::Ne: return a != b;
    case Op::Lt: return a < b;
    case Op::Le: return a <= b;
    case Op::Gt: return a > b;
    case Op::Ge: return a >= b;
    }
    return false;
}

Outcome ActExpect(Runner& r, const Line& line) {
    const Value actual = ReadProbe(line.probe, r.host);
    return r.Check(line, Holds(actual, line.op, line.value),
                   "expected " + line.probe.name + " " + kOpNames[static_cast<int>(line.op)] + " " +
                       FormatValue(line.value) + ", found " + FormatValue(actual));
}

Outcome ActPixel(Runner& r, const Line& line) {
    const int found = LcdGetPixel(static_cast<uint8_t>(line.x), static_cast<uint8_t>(line.y));
    return r.Check(line, found == line.dot,
                   "expected pixel (" + std::to_string(line.x) + ", " + std::to_string(line.y) +
                       ") == " + std::to_string(line.dot) + ", found " + std::to_string(found));
}

// FILE.actual.pbm and FILE.diff.png beside a golden FILE.pbm.
std::string BesideGolden(const std::string& golden, const char* tail) {
    return golden.substr(0, golden.size() - 4) + tail;
}

void RemoveFailurePictures(const std::string& golden) {
    std::error_code ignored;
    std::filesystem::remove(BesideGolden(golden, ".actual.pbm"), ignored);
    std::filesystem::remove(BesideGolden(golden, ".diff.png"), ignored);
}

// The golden's dots; false with the reason when it is missing or unusable.
bool ReadGolden(const std::string& path, std::vector<uint8_t>& golden, bool& missing,
                std::string& error) {
    std::string text, why;
    missing = false;
    if (!ReadWholeFile(path, text, why)) {
        missing = why == "no such file";
        error = missing ? "no golden frame " + path +
                              ": run with --update-goldens to create it from this frame"
                        : "cannot read golden frame " + path + ": " + why;
        return false;
    }
    if (!ParsePbm(text, golden, why)) {
        error = "golden frame " + path + " is unusable: " + why;
        return false;
    }
    return true;
}

// Rewrites the golden only when its dots changed, so spacing or comments in
// an equal golden never churn.
Outcome UpdateGolden(Runner& r, const Line& line, const std::vector<uint8_t>& dots) {
    std::vector<uint8_t> golden;
    bool missing = false;
    std::string error;
    const bool readable = ReadGolden(line.path, golden, missing, error);
    RemoveFailurePictures(line.path);
    if (readable && CompareDots(golden, dots).count == 0) return r.Check(line, true, "");
    if (!WriteWholeFile(line.path, PbmText(dots), true, error)) return r.Error(line, error);
    r.Note((missing ? "wrote new golden " : "updated golden ") + line.path);
    return r.Check(line, true, "");
}

// Gives the failure just reported its frames, for the report's pictures.
void ReportFrames(Runner& r, const std::string& caption, const std::vector<uint8_t>& expected,
                  const std::vector<uint8_t>& actual) {
    if (r.options.report == nullptr) return;
    ReportedFailure& f = r.options.report->failures.back();
    f.caption = caption;
    f.expected = expected;
    f.actual = actual;
}

Outcome ActFrame(Runner& r, const Line& line) {
    const std::vector<uint8_t> dots = FrameDots();
    if (r.options.updateGoldens) return UpdateGolden(r, line, dots);
    std::vector<uint8_t> golden;
    bool missing = false;
    std::string error;
    if (!ReadGolden(line.path, golden, missing, error)) {
        const Outcome o = r.Check(line, false, error);
        ReportFrames(r, line.path, {}, dots);
        return o;
    }
    const DotDifference diff = CompareDots(golden, dots);
    if (diff.count == 0) {
        RemoveFailurePictures(line.path);
        return r.Check(line, true, "");
    }
    const std::string actualPath = BesideGolden(line.path, ".actual.pbm");
    const std::string diffPath = BesideGolden(line.path, ".diff.png");
    std::string wrote =
        WriteWholeFile(actualPath, PbmText(dots), false, error) ? "wrote " + actualPath : error;
    const std::string caption =
        line.path + ": " +
        (diff.count == 1 ? "1 dot differs" : std::to_string(diff.count) + " dots differ");
    wrote += WritePng(diffPath, FrameDiffImage(golden, dots, caption), error) ? " and " + diffPath
                                                                              : "; " + error;
    const Outcome o =
        r.Check(line, false,
                "frame differs from " + line.path + " in " + std::to_string(diff.count) +
                    " dots, first at (" + std::to_string(diff.first % kLcdWidth) + ", " +
                    std::to_string(diff.first / kLcdWidth) + "): expected " +
                    std::to_string(golden[diff.first]) + ", found " +
                    std::to_string(dots[diff.first]) + "; " + wrote);
    ReportFrames(r, caption, golden, dots);
    return o;
}

Outcome ActDump(Runner& r, const Line& line) {
    std::string bytes;
    if (line.state) {
        bytes = StateJson(r.host) + "\n";
    } else if (line.path.empty()) {
        bytes = FrameText();
    } else if (r.options.frameSink && EndsWith(line.path, ".pbm")) {
        r.options.frameSink(line.path, FrameDots());
        return Outcome::Done;
    } else if (EndsWith(line.path, ".png")) {
        const std::vector<uint8_t> png = EncodePng(FrameImage(kPngScale));
        bytes.assign(png.begin(), png.end());
    } else {
        bytes = PbmText(FrameDots());
    }
    if (line.path.empty()) {
        r.out << bytes << std::flush;
        return Outcome::Done;
    }
    std::string error;
    if (!WriteWholeFile(line.path, bytes, false, error)) return r.Error(line, error);
    return Outcome::Done;
}

Outcome ActEcho(Runner& r, const Line& line) {
    r.out << line.rest << '\n' << std::flush;
    return Outcome::Done;
}

const Command kCommands[] = {
    {"on", 0, 0, "on", "the ON button (while on: restarts it in place)", nullptr, ActOn},
    {"off", 0, 0, "off", "the OFF button", nullptr, ActOff},
    {"key", 1, 1, "key enter|cw|ccw|left|right", "a key or knob click", CheckKey, ActKey},
    {"slider", 2, 2, "slider asi|alt N", "move a slider to N (0 to 4096)", CheckSlider, ActSlider},
    {"box", 2, 2, "box calibrate|keyfast on|off", "tick or clear a check box", CheckBox, ActBox},
    {"tick", 0, 1, "tick [N]", "N ticks of the 100 ms timer (default 1)", CheckCount, ActTick},
    {"step", 0, 1, "step [N]", "N steps: splash frames or main-loop passes", CheckCount, ActStep},
    {"pass", 0, 1, "pass [N]", "finish the splash, then N main-loop passes", CheckCount, ActPass},
    {"run", 1, 2, "run DURATION [PACE]", "time passes: 65s, 1500ms; PACE passes/s (10)", CheckRun,
     ActRun},
    {"set", 2, 2, "set FIELD VALUE", "store into an instrument field", CheckSet, ActSet},
    {"expect", 3, 3, "expect FIELD OP VALUE", "compare; OP: == != < <= > >=", CheckExpect,
     ActExpect},
    {"expect-pixel", 3, 3, "expect-pixel X Y 0|1", "one dot of the frame", CheckPixel, ActPixel},
    {"expect-frame", 1, 1, "expect-frame FILE.pbm", "the whole frame equals a golden frame",
     CheckFrame, ActFrame},
    {"dump", 1, 2, "dump state|frame [FILE]", "state: JSON; frame: .pbm, .png or - (text)",
     CheckDump, ActDump},
    {"echo", 0, -1, "echo TEXT", "print TEXT", nullptr, ActEcho},
};

// ---- Reading lines.

// Splits a line into words. Double quotes group a word, with \" and \\ as
// escapes inside; a # that begins a word starts a comment.
bool Tokenize(const std::string& text, Line& line, std::string& error) {
    std::size_t at = 0;
    std::size_t restAt = std::string::npos, restEnd = text.size();
    std::vector<std::string> words;
    for (;;) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
        if (at == text.size() || text[at] == '#') {
            restEnd = at;
            break;
        }
        if (words.size() == 1 && restAt == std::string::npos) restAt = at;
        std::string word;
        if (text[at] == '"') {
            for (++at;; ++at) {
                if (at == text.size()) {
                    error = "unterminated string";
                    return false;
                }
                if (text[at] == '"') break;
                if (text[at] == '\\') {
                    ++at;
                    if (at == text.size() || (text[at] != '"' && text[at] != '\\')) {
                        error = "in a string, a backslash goes only before \" or \\";
                        return false;
                    }
                }
                word += text[at];
            }
            ++at;
            if (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) {
                error = "a space must follow a closing quote";
                return false;
            }
        } else {
            while (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at])))
                word += text[at++];
        }
        words.push_back(word);
    }
    if (words.empty()) return true;
    while (restEnd > 0 && std::isspace(static_cast<unsigned char>(text[restEnd - 1]))) --restEnd;
    if (restAt != std::string::npos && restAt < restEnd)
        line.rest = text.substr(restAt, restEnd - restAt);
    line.args.assign(words.begin() + 1, words.end());
    for (const Command& c : kCommands)
        if (words[0] == c.name) line.command = &c;
    if (line.command == nullptr) {
        error = "unknown command '" + Excerpt(words[0]) + "'";
        return false;
    }
    return true;
}

// False with a message for a bad line; a blank line leaves line.command empty.
bool CheckLine(Line& line, const std::string& text, std::string& error) {
    if (!Tokenize(text, line, error)) return false;
    if (line.command == nullptr) return true;
    const Command& c = *line.command;
    const int n = static_cast<int>(line.args.size());
    if (n < c.minArgs || (c.maxArgs >= 0 && n > c.maxArgs)) {
        error = "wrong number of arguments; usage: " + std::string(c.usage);
        return false;
    }
    return c.check == nullptr || c.check(line, error);
}

// Every line of a script, checked; false after printing each error.
bool ParseScript(const ScriptSource& script, std::vector<Line>& lines, std::ostream& err) {
    bool ok = true;
    std::istringstream in(script.text);
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (number == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) {
            err << script.name << ":1: the script starts with a byte-order mark: save it as "
                << "UTF-8 without one\n";
            ok = false;
            continue;
        }
        Line line;
        line.script = &script;
        line.number = number;
        std::string error;
        if (!CheckLine(line, text, error)) {
            err << line.Where() << error << '\n';
            ok = false;
        } else if (line.command != nullptr) {
            lines.push_back(std::move(line));
        }
    }
    return ok;
}

}  // namespace

int RunScripts(const std::vector<ScriptSource>& scripts, const RunOptions& options,
               std::ostream& out, std::ostream& err) {
    std::vector<std::vector<Line>> parsed(scripts.size());
    bool ok = true;
    for (std::size_t i = 0; i < scripts.size(); ++i)
        ok = ParseScript(scripts[i], parsed[i], err) && ok;
    if (!ok) return kExitError;

    Runner runner(options, out, err);
    for (std::size_t i = 0; i < scripts.size(); ++i) {
        const int expectationsBefore = runner.expectations;
        const int failuresBefore = runner.failures;
        for (const Line& line : parsed[i])
            if (line.command->act(runner, line) == Outcome::Stop) return kExitError;
        const int checked = runner.expectations - expectationsBefore;
        const int failed = runner.failures - failuresBefore;
        runner.Note(scripts[i].name + ": " +
                    (failed ? std::to_string(failed) + " of " + std::to_string(checked) +
                                  " expectations failed"
                            : std::to_string(checked) + " expectations held"));
    }
    return runner.failures ? kExitFailed : kExitPassed;
}

bool GoldenPaths(const ScriptSource& script, std::vector<std::string>& paths, std::ostream& err) {
    std::vector<Line> lines;
    if (!ParseScript(script, lines, err)) return false;
    for (const Line& line : lines)
        if (line.command->act == ActFrame) paths.push_back(line.path);
    return true;
}

std::string CommandSummary() {
    std::size_t width = 0;
    for (const Command& c : kCommands) width = std::max(width, std::string(c.usage).size());
    std::string s;
    for (const Command& c : kCommands) {
        std::string usage = c.usage;
        usage.resize(width, ' ');
        s += "  " + usage + "  " + c.help + "\n";
    }
    return s;
}
