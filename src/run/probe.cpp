#include "run/probe.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/sequence.h"
#include "core/state.h"
#include "screens/screens.h"

namespace {

constexpr int64_t kCountMax = std::numeric_limits<int64_t>::max();

Value Number(int64_t n) { return Value{ValueKind::Number, n, {}}; }
Value Text(ValueKind kind, std::string text) { return Value{kind, 0, std::move(text)}; }
Value OnOff(bool on) { return Text(ValueKind::Switch, on ? "on" : "off"); }

const char* PowerName() {
    switch (seq.power) {
    case Power::Off: return "off";
    case Power::Splash: return "splash";
    case Power::Running: return "running";
    }
    return "off";
}

// As messages list alternatives: "off|splash|running" -> "off, splash or running".
std::string Alternatives(const char* words) {
    std::string s;
    for (const char* c = words; *c != '\0'; ++c) {
        if (*c != '|')
            s += *c;
        else
            s += std::strchr(c + 1, '|') ? ", " : " or ";
    }
    return s;
}

bool IsOneOf(const std::string& word, const char* words) {
    const std::string all = std::string("|") + words + "|";
    return word.find('|') == std::string::npos && all.find("|" + word + "|") != std::string::npos;
}

void TypeRange(FieldType type, int64_t& min, int64_t& max) {
    switch (type) {
    case FieldType::U8: min = 0, max = 255; return;
    case FieldType::I8: min = -128, max = 127; return;
    case FieldType::U32: min = 0, max = 0xFFFFFFFFll; return;
    case FieldType::I32: min = INT32_MIN, max = INT32_MAX; return;
    case FieldType::Screen:
    case FieldType::Text: min = max = 0; return;
    }
}

ScreenFn* ScreenSlot(const FieldInfo& field) {
    return reinterpret_cast<ScreenFn*>(reinterpret_cast<unsigned char*>(&inst) + field.offset);
}

}  // namespace

const WindowItem kWindowItems[] = {
    {"power", ValueKind::Word, "off|splash|running", 0,
     [](const RunnerHost&) { return Text(ValueKind::Word, PowerName()); }},
    {"lamp", ValueKind::Word, "bright|dark", 0,
     [](const RunnerHost& h) { return Text(ValueKind::Word, h.lampBright ? "bright" : "dark"); }},
    {"commLines", ValueKind::Number, nullptr, kCountMax,
     [](const RunnerHost& h) { return Number(static_cast<int64_t>(h.commLines)); }},
    {"asiSlider", ValueKind::Number, nullptr, 4096,
     [](const RunnerHost& h) { return Number(h.asiSlider); }},
    {"altSlider", ValueKind::Number, nullptr, 4096,
     [](const RunnerHost& h) { return Number(h.altSlider); }},
    {"asiLabel", ValueKind::Text, nullptr, 0,
     [](const RunnerHost& h) { return Text(ValueKind::Text, h.asiLabel); }},
    {"altLabel", ValueKind::Text, nullptr, 0,
     [](const RunnerHost& h) { return Text(ValueKind::Text, h.altLabel); }},
    {"calibrate", ValueKind::Switch, "on|off", 0,
     [](const RunnerHost& h) { return OnOff(h.calibrate); }},
    {"keyFast", ValueKind::Switch, "on|off", 0,
     [](const RunnerHost& h) { return OnOff(h.keyFast); }},
    {"passes", ValueKind::Number, nullptr, kCountMax,
     [](const RunnerHost&) { return Number(static_cast<int64_t>(seq.passes)); }},
    {"splashFrames", ValueKind::Number, nullptr, 80,
     [](const RunnerHost&) { return Number(seq.splashFrames); }},
};
const int kWindowItemCount = static_cast<int>(sizeof kWindowItems / sizeof kWindowItems[0]);

bool ResolveProbe(const std::string& name, Probe& probe, std::string& error) {
    probe = Probe{};
    probe.name = name;
    if (name.rfind("hooks.", 0) == 0) {
        const std::string hook = name.substr(6);
        for (int i = 0; i < kHookCount; ++i)
            if (hook == kHookNames[i]) {
                probe.hook = i;
                probe.max = kCountMax;
                return true;
            }
        error = "unknown hook '" + Excerpt(hook) + "'";
        return false;
    }
    for (const WindowItem& item : kWindowItems)
        if (name == item.name) {
            probe.window = &item;
            probe.kind = item.kind;
            probe.max = item.max;
            return true;
        }

    std::string base = name;
    bool indexed = false;
    const std::size_t open = name.find('[');
    std::string digits;
    if (open != std::string::npos) {
        digits = name.substr(open + 1, name.size() - open - 2);
        if (name.back() != ']' || digits.empty() ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            error = "bad element '" + Excerpt(name) + "': write NAME[INDEX], e.g. logHours[3]";
            return false;
        }
        base = name.substr(0, open);
        // Leading zeros name the same element: logHours[03] is logHours[3].
        digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
        probe.index =
            digits.size() > 9 ? std::numeric_limits<std::size_t>::max() : std::stoul(digits);
        indexed = true;
    }
    const FieldInfo* field = FindField(base.c_str());
    if (field == nullptr) {
        error = "unknown field '" + Excerpt(base) + "'";
        return false;
    }
    probe.field = field;
    if (field->type == FieldType::Text || field->type == FieldType::Screen) {
        if (indexed) {
            error = base + " is not an array";
            return false;
        }
        probe.kind = field->type == FieldType::Text ? ValueKind::Text : ValueKind::Screen;
        return true;
    }
    TypeRange(field->type, probe.min, probe.max);
    if (field->count > 1 && !indexed) {
        error = base + " is an array of " + std::to_string(field->count) +
                ": name one element, e.g. " + base + "[0]";
        return false;
    }
    if (field->count == 1 && indexed) {
        error = base + " is not an array";
        return false;
    }
    if (probe.index >= field->count) {
        error = "index " + Excerpt(digits) + " is outside " + base + " (0 to " +
                std::to_string(field->count - 1) + ")";
        return false;
    }
    return true;
}

bool ParseInteger(const std::string& token, int64_t& value, bool* tooLarge) {
    if (tooLarge) *tooLarge = false;
    std::size_t at = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (negative) at = 1;
    int base = 10;
    if (token.compare(at, 2, "0x") == 0 || token.compare(at, 2, "0X") == 0) {
        base = 16;
        at += 2;
    }
    if (at == token.size()) return false;
    // Accumulate negatively so that the most negative 64-bit value parses too.
    int64_t n = 0;
    bool overflow = false;
    const int64_t limit = std::numeric_limits<int64_t>::min();
    for (; at < token.size(); ++at) {
        const char c = token[at];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (overflow || n < (limit + digit) / base)
            overflow = true;
        else
            n = n * base - digit;
    }
    if (!negative && !overflow && n == limit) overflow = true;
    if (overflow) {
        if (tooLarge) *tooLarge = true;
        return false;
    }
    value = negative ? n : -n;
    return true;
}

std::string Excerpt(const std::string& token) {
    static const char kBom[] = "\xEF\xBB\xBF";
    static const char kHex[] = "0123456789ABCDEF";
    std::string s;
    std::size_t shown = 0, at = 0;
    while (at < token.size()) {
        if (shown == kExcerptLength) return s + "...";
        const auto c = static_cast<unsigned char>(token[at]);
        // A whole UTF-8 sequence is shown as it is; anything else escaped.
        std::size_t n = c < 0x80                ? 1
                        : c >= 0xC2 && c < 0xE0 ? 2
                        : c >= 0xE0 && c < 0xF0 ? 3
                        : c >= 0xF0 && c < 0xF5 ? 4
                                                : 0;
        for (std::size_t i = 1; i < n; ++i)
            if (at + i >= token.size() ||
                (static_cast<unsigned char>(token[at + i]) & 0xC0) != 0x80)
                n = 0;
        if (token.compare(at, 3, kBom) == 0) {
            s += "<byte-order mark>";
            n = 3;
        } else if (c == '\n') {
            s += "\\n";
        } else if (c == '\t') {
            s += "\\t";
        } else if (c == '\r') {
            s += "\\r";
        } else if (n == 0 || c < 0x20 || c == 0x7F) {
            s += "\\x";
            s += kHex[c >> 4];
            s += kHex[c & 15];
            n = 1;
        } else {
            s.append(token, at, n);
        }
        at += n;
        ++shown;
    }
    return s;
}

bool ParseValue(const Probe& probe, const std::string& token, Value& value, std::string& error) {
    value = Value{};
    value.kind = probe.kind;
    switch (probe.kind) {
    case ValueKind::Number: {
        bool tooLarge = false;
        const std::string range =
            " (" + std::to_string(probe.min) + " to " + std::to_string(probe.max) + ")";
        if (!ParseInteger(token, value.number, &tooLarge)) {
            error = tooLarge ? Excerpt(token) + " is out of range for " + probe.name + range
                             : probe.name + " takes a whole number, not '" + Excerpt(token) + "'";
            return false;
        }
        if (value.number < probe.min || value.number > probe.max) {
            error = Excerpt(token) + " does not fit " + probe.name + range;
            return false;
        }
        return true;
    }
    case ValueKind::Text:
        if (probe.field && token.size() >= probe.field->count) {
            error = probe.name + " holds at most " + std::to_string(probe.field->count - 1) +
                    " bytes, not " + std::to_string(token.size());
            return false;
        }
        value.text = token;
        return true;
    case ValueKind::Screen:
        if (token != "null" && ScreenByName(token.c_str()) == nullptr) {
            error = "unknown screen '" + Excerpt(token) + "'";
            return false;
        }
        value.text = token;
        return true;
    case ValueKind::Word:
    case ValueKind::Switch:
        if (!IsOneOf(token, probe.window->words)) {
            error = probe.name + " is " + Alternatives(probe.window->words) + ", not '" +
                    Excerpt(token) + "'";
            return false;
        }
        value.text = token;
        return true;
    }
    return false;
}

std::string CommLineText() {
    return std::string(inst.commLine, strnlen(inst.commLine, sizeof inst.commLine));
}

Value ReadFieldValue(const FieldInfo& field, std::size_t index) {
    switch (field.type) {
    case FieldType::Text: return Text(ValueKind::Text, CommLineText());
    case FieldType::Screen: {
        const ScreenFn fn = *ScreenSlot(field);
        const char* name = NameOfScreen(fn);
        return Text(ValueKind::Screen, name ? name : fn ? "unknown" : "null");
    }
    default: return Number(ReadField(field, index));
    }
}

Value ReadProbe(const Probe& probe, const RunnerHost& host) {
    if (probe.hook >= 0) return Number(static_cast<int64_t>(hookCalls[probe.hook]));
    if (probe.window) return probe.window->read(host);
    return ReadFieldValue(*probe.field, probe.index);
}

void WriteProbe(const Probe& probe, const Value& value) {
    switch (probe.kind) {
    case ValueKind::Text:
        std::memset(inst.commLine, 0, sizeof inst.commLine);
        std::memcpy(inst.commLine, value.text.data(), value.text.size());
        return;
    case ValueKind::Screen:
        *ScreenSlot(*probe.field) =
            value.text == "null" ? nullptr : ScreenByName(value.text.c_str());
        return;
    default: WriteField(*probe.field, probe.index, value.number); return;
    }
}

std::string FormatValue(const Value& value) {
    switch (value.kind) {
    case ValueKind::Number: return std::to_string(value.number);
    case ValueKind::Text: {
        std::string s = "\"";
        for (char c : value.text) {
            if (c == '"' || c == '\\') s += '\\';
            s += c;
        }
        return s + '"';
    }
    default: return value.text;
    }
}
