// What a script can name in `set`, `expect` and `dump state`: every
// instrument field and array element, the modelled window, the run's
// counters and the hook counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/fields.h"
#include "run/runner_host.h"

// How values of a name are written and compared: numbers with every
// comparison, the rest only with == and !=.
enum class ValueKind : uint8_t {
    Number,
    Text,    // a string, bare or double-quoted
    Screen,  // a screen's name, or null
    Word,    // one of a few words, e.g. bright|dark
    Switch,  // on|off; a boolean in JSON
};

struct Value {
    ValueKind kind = ValueKind::Number;
    int64_t number = 0;
    std::string text;  // Text, Screen ("null" for none), Word, Switch
};

// One readable item of the window or the run, in the order `dump state`
// lists them under "window".
struct WindowItem {
    const char* name;
    ValueKind kind;
    const char* words;  // Word: the allowed values, separated by '|'
    int64_t max;        // Number: the largest value it can hold
    Value (*read)(const RunnerHost& host);
};
extern const WindowItem kWindowItems[];
extern const int kWindowItemCount;

struct Probe {
    std::string name;  // as written, e.g. logHours[3]
    ValueKind kind = ValueKind::Number;
    const FieldInfo* field = nullptr;  // an instrument field (element `index`)
    std::size_t index = 0;
    const WindowItem* window = nullptr;  // or a window item
    int hook = -1;                       // or a hook count
    int64_t min = 0;                     // Number: what the item can hold
    int64_t max = 0;
};

// Resolves a name; false with a message when there is no such item.
bool ResolveProbe(const std::string& name, Probe& probe, std::string& error);

// Parses a script's value for the item; false with a message when it is not
// a value the item can hold.
bool ParseValue(const Probe& probe, const std::string& token, Value& value, std::string& error);

// A whole number: decimal, optionally negative, or 0x hexadecimal. A number
// too large for 64 bits is false too, with *tooLarge set.
bool ParseInteger(const std::string& token, int64_t& value, bool* tooLarge = nullptr);

// A token as a message quotes it: at most kExcerptLength characters and
// "...", control characters and broken UTF-8 escaped (\n, \xNN), a
// byte-order mark named, so any line gives a one-line message.
constexpr std::size_t kExcerptLength = 40;
std::string Excerpt(const std::string& token);

Value ReadProbe(const Probe& probe, const RunnerHost& host);
// Element `index` of an instrument field (0 for a scalar, text or screen).
Value ReadFieldValue(const FieldInfo& field, std::size_t index);

// Stores into an instrument field; the value has been checked by ParseValue.
void WriteProbe(const Probe& probe, const Value& value);

// As a failure message shows it: numbers in decimal, text quoted.
std::string FormatValue(const Value& value);

// The text in commLine, up to its terminating zero.
std::string CommLineText();
