// Writes enlarged review sheets of the 8 x 8 font, the small font, the large
// numerals and the icons, with a dot grid, as PNG files:
//   qtr5-sheets OUTDIR
#include <cstdio>
#include <functional>
#include <string>

#include "lcd/lcd.h"
#include "run/png.h"

namespace {

// Lays out `count` cells of w x h dots, `perRow` to a row, each dot `scale`
// pixels with a one-pixel grid, and a gap of 2 dots between cells.
RgbImage Sheet(int count, int perRow, int w, int h, int scale,
               const std::function<bool(int, int, int)>& dark) {
    const int gap = 2 * scale;
    const int cellW = w * scale + gap;
    const int cellH = h * scale + gap;
    const int rows = (count + perRow - 1) / perRow;
    RgbImage img(perRow * cellW + gap, rows * cellH + gap, 0xFF, 0xFF, 0xFF);
    for (int n = 0; n < count; ++n) {
        const int ox = gap + (n % perRow) * cellW;
        const int oy = gap + (n / perRow) * cellH;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool on = dark(n, x, y);
                const uint8_t v = on ? 0x10 : 0xE4;
                img.FillRect(ox + x * scale, oy + y * scale, scale - 1, scale - 1, v,
                             on ? 0x10 : 0xEC, v);
            }
    }
    return img;
}

bool Write(const std::string& path, const RgbImage& img) {
    std::string error;
    if (!WritePng(path, img, error)) {
        std::fprintf(stderr, "qtr5-sheets: %s\n", error.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qtr5-sheets OUTDIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;
    ok &= Write(dir + "/font8x8.png", Sheet(100, 10, 8, 8, 8, [](int n, int x, int y) {
                    return (font8x8[n * 8 + x] >> y) & 1;
                }));
    ok &= Write(dir + "/small-font.png", Sheet(96, 16, 6, 8, 8, [](int n, int x, int y) {
                    // Row 0 of the cell is the (always blank) row above the glyph.
                    return x < 5 && ((smallFont[n * 5 + x] >> (7 - y)) & 1);
                }));
    ok &= Write(dir + "/big-digits.png", Sheet(10, 10, 18, 24, 6, [](int d, int x, int y) {
                    return (bigDigitFont[(y / 8) * 180 + d * 18 + x] >> (y % 8)) & 1;
                }));
    ok &= Write(dir + "/icons.png", Sheet(10, 5, 32, 32, 5, [](int n, int x, int y) {
                    const uint8_t* bank = n >= 8 ? iconBankB : iconBankA;
                    const int offset = n < 4 ? n * 32 : n < 8 ? n * 32 + 384 : n == 8 ? 608 : 96;
                    return (bank[offset + (y / 8) * 128 + x] >> (y % 8)) & 1;
                }));
    return ok ? 0 : 1;
}
