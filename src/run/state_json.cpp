#include "run/state_json.h"

#include <cstddef>
#include <cstdio>

#include "core/fields.h"
#include "core/state.h"
#include "run/probe.h"

std::string JsonString(const std::string& text) {
    std::string s = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            s += '\\';
            s += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", byte);
            s += esc;
        } else {
            s += c;
        }
    }
    return s + '"';
}

namespace {

std::string JsonValue(const Value& v) {
    switch (v.kind) {
    case ValueKind::Number: return std::to_string(v.number);
    case ValueKind::Screen: return v.text == "null" ? "null" : JsonString(v.text);
    case ValueKind::Switch: return v.text == "on" ? "true" : "false";
    default: return JsonString(v.text);
    }
}

std::string FieldJson(const FieldInfo& field) {
    if (field.type == FieldType::Text || field.count == 1)
        return JsonValue(ReadFieldValue(field, 0));
    if (field.offset == offsetof(InstrumentState, frameBuffer)) {
        std::string hex = "\"";
        for (const uint8_t byte : inst.frameBuffer) {
            char two[3];
            std::snprintf(two, sizeof two, "%02x", byte);
            hex += two;
        }
        return hex + '"';
    }
    std::string list = "[";
    for (std::size_t i = 0; i < field.count; ++i)
        list += (i ? ", " : "") + std::to_string(ReadField(field, i));
    return list + ']';
}

}  // namespace

std::string StateJson(const RunnerHost& host) {
    std::string s = "{\"instrument\": {";
    for (int i = 0; i < kFieldCount; ++i)
        s += (i ? ", " : "") + JsonString(kFields[i].name) + ": " + FieldJson(kFields[i]);
    s += "}, \"window\": {";
    for (int i = 0; i < kWindowItemCount; ++i)
        s += (i ? ", " : "") + JsonString(kWindowItems[i].name) + ": " +
             JsonValue(kWindowItems[i].read(host));
    s += "}, \"hooks\": {";
    for (int i = 0; i < kHookCount; ++i)
        s += (i ? ", " : "") + JsonString(kHookNames[i]) + ": " + std::to_string(hookCalls[i]);
    return s + "}}";
}
