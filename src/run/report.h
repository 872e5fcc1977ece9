// What a run found, gathered for a report page: each failed expectation, and
// for a failed frame the two frames themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ReportedFailure {
    std::string where;                      // "SCRIPT:LINE"
    std::string message;                    // as the runner printed it
    std::string caption;                    // expect-frame only: names the golden, else ""
    std::vector<uint8_t> expected, actual;  // frames; expected empty when unreadable
};

struct RunReport {
    std::vector<std::string> scripts;
    int status = 0;  // the run's exit status
    std::vector<ReportedFailure> failures;
    std::string errors;  // script and run-time errors, as printed
};

// Writes DIR/index.html with the pictures of each failed frame beside it
// (NN-expected.png, NN-actual.png, NN-diff.png). False with a message when a
// file cannot be written.
bool WriteReport(const std::string& dir, const RunReport& report, std::string& error);
