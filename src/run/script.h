// Scenario scripts: one command a line, all checked before any runs, then
// run against the instrument through the same handlers as the window.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

struct RunReport;

struct RunOptions {
    bool quiet = false;          // no progress or summary lines
    bool updateGoldens = false;  // expect-frame writes a changed or missing golden and passes
    RunReport* report = nullptr;  // when set, gathers each failure
    // When set, `dump frame FILE.pbm` hands the resolved path and the dots
    // here instead of writing the file.
    std::function<void(const std::string& path, const std::vector<uint8_t>& dots)> frameSink;
};

struct ScriptSource {
    std::string name;  // as messages name it
    std::string dir;   // the script's paths are relative to it; "" for here
    std::string text;
};

// Exit statuses.
constexpr int kExitPassed = 0;
constexpr int kExitFailed = 1;  // an expectation failed
constexpr int kExitError = 2;   // a script error: nothing, or not all, ran

// Checks every script, then runs them one after another from program start,
// state carrying over. Echo and dumps go to `out`; messages to `err`.
int RunScripts(const std::vector<ScriptSource>& scripts, const RunOptions& options,
               std::ostream& out, std::ostream& err);

// The golden frames the script's expect-frame lines name, resolved as a run
// resolves them; false after printing each error when the script is bad.
bool GoldenPaths(const ScriptSource& script, std::vector<std::string>& paths, std::ostream& err);

// One line a command, "  USAGE  what it does", for --help.
std::string CommandSummary();
