#include "run/cli.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "run/frame_io.h"
#include "run/script.h"

namespace {

const char kUsage[] = "usage: qtr5-run [--quiet] [--update-goldens] SCRIPT...\n";

std::string Help() {
    return std::string(kUsage) +
           "Runs the instrument without a window, driven by scenario scripts (- reads\n"
           "standard input). Several scripts run one after another in one program: state,\n"
           "time and counts carry over. Every script is checked before anything runs.\n"
           "\n"
           "Options:\n"
           "  --quiet           no progress or summary lines (echo and dumps still print)\n"
           "  --update-goldens  expect-frame writes its golden frame and passes\n"
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

}  // namespace

int RunnerMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err) {
    RunOptions options;
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
    return RunScripts(scripts, options, out, err);
}
