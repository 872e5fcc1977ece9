#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <set>
#include <vector>

#include "lcd/lcd.h"

namespace {

template <std::size_t Width>
struct Row {
    int code;
    std::array<uint8_t, Width> bytes;
};

template <std::size_t Width>
std::array<uint8_t, Width> GlyphBytes(const uint8_t* table, int code) {
    std::array<uint8_t, Width> bytes{};
    std::memcpy(bytes.data(), table + Width * (code - 32), Width);
    return bytes;
}

}  // namespace

TEST(FontTables, Font8x8MatchesTheFixedRows) {
    const Row<8> rows[] = {
        {32, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
        {48, {0x3E, 0x7F, 0x41, 0x41, 0x41, 0x7F, 0x3E, 0x00}},
        {65, {0x7C, 0x7E, 0x13, 0x11, 0x13, 0x7E, 0x7C, 0x00}},
        {95, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
        {123, {0x20, 0x30, 0x38, 0x3C, 0x38, 0x30, 0x20, 0x00}},
        {124, {0x00, 0x00, 0x06, 0x09, 0x09, 0x06, 0x00, 0x00}},
        {125, {0x04, 0x0C, 0x1C, 0x3C, 0x1C, 0x0C, 0x04, 0x00}},
        {126, {0x1C, 0x3E, 0x63, 0x63, 0x63, 0x2A, 0x0C, 0x0E}},
    };
    for (const Row<8>& row : rows)
        EXPECT_EQ(GlyphBytes<8>(font8x8, row.code), row.bytes) << "code " << row.code;
}

TEST(FontTables, SmallFontMatchesTheFixedRows) {
    const Row<5> rows[] = {
        {32, {0x00, 0x00, 0x00, 0x00, 0x00}},  {46, {0x00, 0x03, 0x03, 0x00, 0x00}},
        {49, {0x00, 0x21, 0x7F, 0x01, 0x00}},  {65, {0x3F, 0x48, 0x48, 0x48, 0x3F}},
        {124, {0x00, 0x30, 0x48, 0x48, 0x30}}, {125, {0x39, 0x46, 0x40, 0x46, 0x39}},
    };
    for (const Row<5>& row : rows)
        EXPECT_EQ(GlyphBytes<5>(smallFont, row.code), row.bytes) << "code " << row.code;
}

// Row 7 and column 7 space characters and lines; only these glyphs reach them.
TEST(FontTables, Font8x8KeepsRowSevenAndColumnSevenForSpacing) {
    std::set<int> inRow7;
    std::set<int> inColumn7;
    for (int code = 32; code <= 131; ++code) {
        const uint8_t* glyph = &font8x8[8 * (code - 32)];
        for (int i = 0; i < 8; ++i)
            if (glyph[i] & 0x80) inRow7.insert(code);
        if (glyph[7] != 0) inColumn7.insert(code);
    }
    EXPECT_EQ(inRow7, (std::set<int>{',', ';', 'Q', '_', 'j', 'p', 'q', 'y', 128, 129, 130, 131}));
    EXPECT_EQ(inColumn7, (std::set<int>{'Y', '\\', '_', 126}));
}

TEST(FontTables, SmallFontLeavesTheRowAboveEveryGlyphBlank) {
    for (int n = 0; n < 480; ++n) EXPECT_EQ(smallFont[n] & 0x80, 0) << "byte " << n;
}

// Catches a glyph left blank or pasted twice; the second omega is meant.
TEST(FontTables, EveryGlyphIsDrawnAndDistinct) {
    struct Font {
        const char* name;
        const uint8_t* table;
        int width;
        int lastCode;
    } const fonts[] = {{"8x8", font8x8, 8, 131}, {"small", smallFont, 5, 127}};
    for (const Font& font : fonts) {
        std::set<std::vector<uint8_t>> seen;
        for (int code = 33; code <= font.lastCode; ++code) {
            const uint8_t* glyph = font.table + font.width * (code - 32);
            std::vector<uint8_t> bytes(glyph, glyph + font.width);
            EXPECT_NE(bytes, std::vector<uint8_t>(font.width, 0)) << font.name << " code " << code;
            if (font.table == smallFont && code == 127) {
                const uint8_t* omega = &smallFont[5 * (125 - 32)];
                EXPECT_EQ(bytes, std::vector<uint8_t>(omega, omega + 5)) << "code 127 is the omega";
                continue;
            }
            EXPECT_TRUE(seen.insert(bytes).second) << font.name << " code " << code << " repeats";
        }
    }
}
