// `dump state`: the instrument record, the modelled window and the hook
// counts as one line of JSON.
#pragma once

#include <string>

#include "run/runner_host.h"

// {"instrument": {...}, "window": {...}, "hooks": {...}}, without a newline.
std::string StateJson(const RunnerHost& host);

// A JSON string literal. Bytes above 127 are read as Latin-1, so any
// commLine gives valid JSON.
std::string JsonString(const std::string& text);
