#include <cstring>
#include <iterator>

#include "core/state.h"
#include "lcd/lcd.h"
#include "lcd/work_text.h"

const char speedUnitNames[3][7] = {"mph", "km/h", "knots"};
const char asiFilterNames[3][5] = {"NONE", "FAST", "SLOW"};
const char altUnitNames[2][3] = {"ft", "m"};
const char qnhUnitNames[2][7] = {"mB", "\"Hg"};
const char onOffNames[2][4] = {"OFF", "ON"};
const char iasTasNames[2][4] = {"IAS", "TAS"};

namespace {

// Appends names[index]; an index past the table appends nothing.
template <std::size_t Count, std::size_t Stride>
void AppendName(char* text, const char (&names)[Count][Stride], uint8_t index) {
    if (index < Count) std::strcat(text, names[index]);
}

}  // namespace

// Centred on column 57, with a rule on row 4 to each side that stops short of
// the first and last letters (titles begin and end with a space).
void DrawTitle(const char* title) {
    const int32_t length = TextLength(title);
    LcdText(static_cast<uint8_t>(57 - 4 * length), 0, title, 0, 1, 0);
    LcdLine(0, 4, 59 - 4 * length, 4, 1);
    LcdLine(4 * length + 55, 4, 118, 4, 1);
}

void DrawTitleConst(const char* title) {
    WorkText copy(title);
    DrawTitle(copy.text);
}

// Never on the title band.
void DrawMenuLine(uint8_t x, uint8_t y, const char* text, uint8_t inverse) {
    if (y > 7) LcdText(x, y, text, 0, 1, inverse);
}

void DrawMenuLineConst(uint8_t x, uint8_t y, const char* text, uint8_t inverse) {
    WorkText copy(text);
    DrawMenuLine(x, y, copy.text, inverse);
}

// The list scrolls once the cursor passes row 6; the selected row shows label
// and value inverted, or only the value while it is being edited.
void DrawSettingRow(uint8_t valueX, uint8_t row, const char* label, const char* value) {
    const uint8_t scroll = inst.menuItem >= 7 ? static_cast<uint8_t>(inst.menuItem - 6) : 0;
    const bool selected = static_cast<uint8_t>(inst.menuItem - scroll) == row;
    const auto y = static_cast<uint8_t>(8 * row + 8);
    DrawMenuLine(0, y, label, selected && inst.editMode == 0 ? 1 : 0);
    DrawMenuLine(static_cast<uint8_t>(8 * TextLength(label) + valueX), y, value, selected ? 1 : 0);
}

void DrawSettingRowConstLabel(uint8_t valueX, uint8_t row, const char* label, const char* value) {
    WorkText labelCopy(label);
    DrawSettingRow(valueX, row, labelCopy.text, value);
}

void DrawSettingRowConst(uint8_t valueX, uint8_t row, const char* label, const char* value) {
    WorkText labelCopy(label);
    WorkText valueCopy(value);
    DrawSettingRow(valueX, row, labelCopy.text, valueCopy.text);
}

// The track is column 111 from row 8 down; the thumb's rows come from tenths
// of a row. With no entries there is no thumb to place: only the track.
void DrawMenuScrollBar(uint8_t item, uint8_t count) {
    LcdLine(111, 8, 111, 63, 1);
    if (count == 0) return;
    const int32_t step = 560 / count;
    const int32_t top = (item * step + 80) / 10;
    const int32_t bottom = top + step / 10;
    LcdFillRect(109, static_cast<uint8_t>(top), 114, static_cast<uint8_t>(bottom), 1);
}

void AppendAltUnit(char* text) { AppendName(text, altUnitNames, inst.altUnit); }
void AppendQnhUnit(char* text) { AppendName(text, qnhUnitNames, inst.qnhUnit); }
void AppendAsiUnit(char* text) { AppendName(text, speedUnitNames, inst.asiUnit); }
