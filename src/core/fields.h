// The state record described field by field, in record order, so that the
// runner can set, compare and dump any field by its name.
#pragma once

#include <cstddef>
#include <cstdint>

enum class FieldType : uint8_t { U8, I8, U32, I32, Screen, Text };

struct FieldInfo {
    const char* name;
    FieldType type;
    std::size_t offset;  // within InstrumentState
    std::size_t count;   // elements; 1 for a scalar, the size for arrays and text
};

extern const FieldInfo kFields[];
extern const int kFieldCount;

const FieldInfo* FindField(const char* name);

// Element `index` of a numeric field, widened; index 0 for a scalar.
int64_t ReadField(const FieldInfo& field, std::size_t index);
// Stores value into element `index`; false when it does not fit the type.
bool WriteField(const FieldInfo& field, std::size_t index, int64_t value);
