// Scenario scripts: one command a line, all checked before any runs, then
// run against the instrument through the same handlers as the window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct RunOptions {
    bool quiet = false;          // no progress or summary lines
    bool updateGoldens = false;  // expect-frame writes its golden and passes
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

// One line a command, "  USAGE  what it does", for --help.
std::string CommandSummary();
