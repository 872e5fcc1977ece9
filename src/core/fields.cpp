#include "core/fields.h"

#include <cstring>

#include "core/state.h"

#define QTR5_FIELD(name, type) \
    { #name, FieldType::type, offsetof(InstrumentState, name), 1 }
#define QTR5_ARRAY(name, type) \
    { #name, FieldType::type, offsetof(InstrumentState, name), sizeof(InstrumentState::name) / sizeof(InstrumentState::name[0]) }

const FieldInfo kFields[] = {
    QTR5_FIELD(menuItem, U8),
    QTR5_FIELD(editMode, U8),
    QTR5_ARRAY(logHours, U8),
    QTR5_ARRAY(logMinutes, U8),
    QTR5_ARRAY(frameBuffer, U8),
    QTR5_FIELD(pendingKey, U8),
    QTR5_FIELD(adjustStep, U8),
    QTR5_FIELD(altAdc, U32),
    QTR5_FIELD(asiAdc, U32),
    QTR5_FIELD(airspeed, U32),
    QTR5_FIELD(maxAirspeed, U32),
    QTR5_FIELD(distanceSum, U32),
    QTR5_FIELD(asiFilterAcc, U32),
    QTR5_FIELD(pressure, U32),
    QTR5_FIELD(altitude, I32),
    QTR5_FIELD(altitudeFt, I32),
    QTR5_FIELD(maxAltitude, I32),
    QTR5_FIELD(altFilterAcc, I32),
    QTR5_FIELD(asiAdcInput, I32),
    QTR5_FIELD(altAdcInput, I32),
    QTR5_FIELD(contrast, U8),
    QTR5_FIELD(backlight, U8),
    QTR5_FIELD(takeoffSpeed, U32),
    QTR5_FIELD(altUnit, U8),
    QTR5_FIELD(qnhUnit, U8),
    QTR5_FIELD(asiTas, U8),
    QTR5_FIELD(lowAlarmSpeed, U32),
    QTR5_FIELD(lowAlarmOn, U8),
    QTR5_FIELD(highAlarmSpeed, U32),
    QTR5_FIELD(highAlarmOn, U8),
    QTR5_FIELD(asiFilter, U8),
    QTR5_FIELD(asiUnit, U8),
    QTR5_FIELD(distZeroAuto, U8),
    QTR5_FIELD(hourFractDecimal, U8),
    QTR5_FIELD(flightAutoDetect, U8),
    QTR5_FIELD(asiCalPercent, U8),
    QTR5_FIELD(altCalOffset, I8),
    QTR5_FIELD(asiZero, U32),
    QTR5_FIELD(qnh, U32),
    QTR5_FIELD(altitudeOnTop, U8),
    QTR5_FIELD(currentScreen, Screen),
    QTR5_FIELD(returnScreen, Screen),
    QTR5_FIELD(menuTimeout, U8),
    QTR5_FIELD(slowTickCount, U8),
    QTR5_FIELD(blinkPhase, U8),
    QTR5_FIELD(blinkCount, U8),
    QTR5_FIELD(slowTick, U8),
    QTR5_FIELD(alarmActive, U8),
    QTR5_FIELD(calibrateEnabled, U8),
    QTR5_FIELD(alarmAcknowledged, U8),
    QTR5_FIELD(flightPassCount, U8),
    QTR5_FIELD(flightHours, U8),
    QTR5_FIELD(flightMinutes, U8),
    QTR5_FIELD(logMinuteCount, U8),
    QTR5_FIELD(logPending, U8),
    QTR5_FIELD(inFlight, U8),
    QTR5_FIELD(flightLogged, U8),
    QTR5_FIELD(landingCountdown, U8),
    QTR5_FIELD(logIndex, U8),
    QTR5_ARRAY(commLine, Text),
    QTR5_FIELD(powerOffRequest, U8),
};
const int kFieldCount = static_cast<int>(sizeof kFields / sizeof kFields[0]);

#undef QTR5_FIELD
#undef QTR5_ARRAY

const FieldInfo* FindField(const char* name) {
    for (const FieldInfo& f : kFields)
        if (std::strcmp(f.name, name) == 0) return &f;
    return nullptr;
}

namespace {
unsigned char* At(const FieldInfo& field, std::size_t index, std::size_t width) {
    return reinterpret_cast<unsigned char*>(&inst) + field.offset + index * width;
}
}  // namespace

int64_t ReadField(const FieldInfo& field, std::size_t index) {
    switch (field.type) {
    case FieldType::U8: return *At(field, index, 1);
    case FieldType::I8: {
        int8_t v;
        std::memcpy(&v, At(field, index, 1), 1);
        return v;
    }
    case FieldType::U32: {
        uint32_t v;
        std::memcpy(&v, At(field, index, 4), 4);
        return v;
    }
    case FieldType::I32: {
        int32_t v;
        std::memcpy(&v, At(field, index, 4), 4);
        return v;
    }
    case FieldType::Text: return static_cast<unsigned char>(*At(field, index, 1));
    case FieldType::Screen: return 0;
    }
    return 0;
}

bool WriteField(const FieldInfo& field, std::size_t index, int64_t value) {
    if (index >= field.count) return false;
    switch (field.type) {
    case FieldType::U8:
    case FieldType::Text:
        if (value < 0 || value > 255) return false;
        *At(field, index, 1) = static_cast<unsigned char>(value);
        return true;
    case FieldType::I8: {
        if (value < -128 || value > 127) return false;
        const int8_t v = static_cast<int8_t>(value);
        std::memcpy(At(field, index, 1), &v, 1);
        return true;
    }
    case FieldType::U32: {
        if (value < 0 || value > 0xFFFFFFFFll) return false;
        const uint32_t v = static_cast<uint32_t>(value);
        std::memcpy(At(field, index, 4), &v, 4);
        return true;
    }
    case FieldType::I32: {
        if (value < INT32_MIN || value > INT32_MAX) return false;
        const int32_t v = static_cast<int32_t>(value);
        std::memcpy(At(field, index, 4), &v, 4);
        return true;
    }
    case FieldType::Screen: return false;
    }
    return false;
}
