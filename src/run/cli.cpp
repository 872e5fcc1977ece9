#include "run/cli.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "run/frame_io.h"
#include "run/report.h"
#include "run/script.h"

namespace {

const char kUsage[] =
    "usage: qtr5-run [--quiet] [--update-goldens] [--report DIR] SCRIPT...\n"
    "       qtr5-run --unused-goldens DIR SCRIPT...\n";

std::string Help() {
    return std::string(kUsage) +
           "Runs the instrument without a window, driven by scenario scripts (- reads\n"
           "standard input). Several scripts run one after another in one program: state,\n"
           "time and counts carry over. Every script is checked before anything runs.\n"
           "\n"
           "Options:\n"
           "  --quiet           no progress or summary lines (echo and dumps still print)\n"
           "  --update-goldens  expect-frame rewrites a golden whose dots changed (or a\n"
           "                    missing one) and passes; equal goldens are left alone\n"
           "  --report DIR      writes DIR/index.html: every failure, each failed frame\n"
           "                    as expected, actual and difference pictures\n"
           "  --unused-goldens DIR\n"
           "                    runs nothing: lists the .pbm files in DIR that no\n"
           "                    SCRIPT's expect-frame names; exit 1 if there are any\n"
           "  --help            this text\n"
           "\n"
           "Commands (one a line; a # that begins a word starts a comment):\n" +
           CommandSummary() +
           "\n"
           "Names for set, expect and dump state:\n"
           "  every instrument field: qnh, menuTimeout, logHours[3], frameBuffer[911], ...\n"
           "  commLine \"text\" (\"\" for empty); currentScreen, returnScreen: ScreenMain, ..., "
           "null\n"
           "  window (expect only): lamp bright|dark, power off|splash|running, commLines,\n"
           "  asiSlider, altSlider, asiLabel, altLabel (text), calibrate on|off, keyFast on|off,\n"
           "  passes, splashFrames, hooks.NAME (calls since program start, e.g.\n"
           "  hooks.SaveSettings). Text, screens and words compare only with == and !=.\n"
           "\n"
           "Time: only run moves the clock (tick, step and pass do not). Timer ticks fall\n"
           "on every multiple of 100 ms; after ON, splash frames come every 40 ms and\n"
           "main-loop passes PACE a second (1 to 1000, default 10): the same pacing as the\n"
           "window. A tick goes before a step due at the same instant.\n"
           "\n"
           "Files named in a script are relative to the script's directory (for -, the\n"
           "current one). Messages name SCRIPT:LINE.\n"
           "\n"
           "Exit status: 0 every expectation held; 1 some failed (the script goes on);\n"
           "2 a script error (nothing runs) or a run-time error (the run stops there).\n"
           "The full description is docs/scenarios.md.\n";
}

bool ReadScript(const std::string& arg, std::istream& in, ScriptSource& script,
                std::string& error) {
    if (arg == "-") {
        script.name = "<stdin>";
        script.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }
    script.name = arg;
    script.dir = std::filesystem::path(arg).parent_path().string();
    std::string why;
    if (ReadWholeFile(arg, script.text, why)) return true;
    error = "cannot read " + arg + ": " + why;
    return false;
}

// Copies what is written to two streams: the report keeps the errors the
// terminal shows.
class TeeBuf : public std::streambuf {
public:
    TeeBuf(std::ostream& a, std::ostream& b) : a_(a), b_(b) {}

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        const char ch = static_cast<char>(c);
        a_.write(&ch, 1);
        b_.write(&ch, 1);
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        a_.write(s, n);
        b_.write(s, n);
        return n;
    }

private:
    std::ostream& a_;
    std::ostream& b_;
};

int RunWithReport(const std::vector<ScriptSource>& scripts, RunOptions options,
                  const std::string& dir, std::ostream& out, std::ostream& err) {
    RunReport report;
    for (const ScriptSource& s : scripts) report.scripts.push_back(s.name);
    std::ostringstream said;
    TeeBuf tee(err, said);
    std::ostream both(&tee);
    options.report = &report;
    report.status = RunScripts(scripts, options, out, both);
    if (report.status == kExitError) report.errors = said.str();
    std::string error;
    if (!WriteReport(dir, report, error)) {
        err << "qtr5-run: " << error << "\n";
        return kExitError;
    }
    return report.status;
}

// Goldens in `dir` (not the runner's own .actual.pbm) that no script names.
int ListUnusedGoldens(const std::string& dir, const std::vector<ScriptSource>& scripts,
                      std::ostream& out, std::ostream& err) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        err << "qtr5-run: " << dir << " is not a directory\n";
        return kExitError;
    }
    std::vector<fs::path> used;
    bool ok = true;
    for (const ScriptSource& s : scripts) {
        std::vector<std::string> paths;
        ok = GoldenPaths(s, paths, err) && ok;
        for (const std::string& p : paths) used.push_back(fs::weakly_canonical(p, ec));
    }
    if (!ok) return kExitError;
    std::vector<std::string> unused;
    for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
        const std::string name = e.path().filename().string();
        if (!e.is_regular_file() || e.path().extension() != ".pbm" ||
            (name.size() > 11 && name.compare(name.size() - 11, 11, ".actual.pbm") == 0))
            continue;
        if (std::find(used.begin(), used.end(), fs::weakly_canonical(e.path(), ec)) == used.end())
            unused.push_back(e.path().string());
    }
    std::sort(unused.begin(), unused.end());
    for (const std::string& u : unused) out << u << "\n";
    return unused.empty() ? kExitPassed : kExitFailed;
}

}  // namespace

int RunnerMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err) {
    RunOptions options;
    std::string reportDir, unusedDir;
    std::vector<std::string> args;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (optionsEnd || a == "-" || a.rfind("-", 0) != 0) {
            args.push_back(a);
        } else if (a == "--") {
            optionsEnd = true;
        } else if (a == "--quiet") {
            options.quiet = true;
        } else if (a == "--update-goldens") {
            options.updateGoldens = true;
        } else if (a == "--report" || a == "--unused-goldens") {
            if (i + 1 == argc) {
                err << "qtr5-run: " << a << " needs a DIR\n" << kUsage;
                return kExitError;
            }
            (a == "--report" ? reportDir : unusedDir) = argv[++i];
        } else if (a == "--help" || a == "-h") {
            out << Help();
            return kExitPassed;
        } else {
            err << "qtr5-run: unknown option " << a << "\n" << kUsage;
            return kExitError;
        }
    }
    if (args.empty()) {
        err << kUsage << "qtr5-run --help tells more.\n";
        return kExitError;
    }
    if (std::count(args.begin(), args.end(), "-") > 1) {
        err << "qtr5-run: standard input (-) can be read only once\n";
        return kExitError;
    }
    std::vector<ScriptSource> scripts(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string error;
        if (!ReadScript(args[i], in, scripts[i], error)) {
            err << "qtr5-run: " << error << "\n";
            return kExitError;
        }
    }
    if (!unusedDir.empty()) return ListUnusedGoldens(unusedDir, scripts, out, err);
    if (!reportDir.empty()) return RunWithReport(scripts, options, reportDir, out, err);
    return RunScripts(scripts, options, out, err);
}
