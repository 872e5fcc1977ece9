// qtr5-run's command line: options, reading the scripts, --help.
#pragma once

#include <iosfwd>

// The whole program; returns its exit status.
int RunnerMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err);
