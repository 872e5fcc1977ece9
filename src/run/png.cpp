#include "run/png.h"

#include <zlib.h>

#include <array>
#include <stdexcept>

#include "core/state.h"
#include "lcd/lcd.h"
#include "run/frame_io.h"

RgbImage::RgbImage(int w, int h, uint8_t r, uint8_t g, uint8_t b)
    : width(w), height(h), rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3) {
    FillRect(0, 0, w, h, r, g, b);
}

void RgbImage::Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(x)) *
                           3;
    rgb[at] = r;
    rgb[at + 1] = g;
    rgb[at + 2] = b;
}

void RgbImage::FillRect(int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, r, g, b);
}

namespace {

uint32_t Crc32(const uint8_t* data, std::size_t n, uint32_t crc = 0) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    Put32(out, static_cast<uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc32(out.data() + start, out.size() - start));
}

std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> z(size);
    if (compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        throw std::runtime_error("PNG compression failed");
    z.resize(size);
    return z;
}

}  // namespace

std::vector<uint8_t> EncodePng(const RgbImage& image) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    Put32(ihdr, static_cast<uint32_t>(image.width));
    Put32(ihdr, static_cast<uint32_t>(image.height));
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    Chunk(out, "IHDR", ihdr);
    std::vector<uint8_t> raw;
    const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);  // filter: none
        const auto row =
            image.rgb.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * stride);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(stride));
    }
    Chunk(out, "IDAT", Zlib(raw));
    Chunk(out, "IEND", {});
    return out;
}

bool WritePng(const std::string& path, const RgbImage& image, std::string& error) {
    const std::vector<uint8_t> png = EncodePng(image);
    return WriteWholeFile(path, std::string(png.begin(), png.end()), true, error);
}

RgbImage DotsImage(const std::vector<uint8_t>& dots, int width, int height, int scale) {
    RgbImage img(width * scale, height * scale, kLcdLight.r, kLcdLight.g, kLcdLight.b);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dots[static_cast<std::size_t>(y * width + x)])
                img.FillRect(x * scale, y * scale, scale, scale, kLcdDark.r, kLcdDark.g,
                             kLcdDark.b);
    return img;
}

RgbImage FrameImage(int scale) {
    std::vector<uint8_t> dots(kLcdWidth * kLcdHeight);
    for (int y = 0; y < kLcdHeight; ++y)
        for (int x = 0; x < kLcdWidth; ++x)
            dots[static_cast<std::size_t>(y * kLcdWidth + x)] =
                LcdGetPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y));
    return DotsImage(dots, kLcdWidth, kLcdHeight, scale);
}

void Paste(RgbImage& to, const RgbImage& from, int x, int y) {
    for (int j = 0; j < from.height; ++j)
        for (int i = 0; i < from.width; ++i) {
            const std::size_t at =
                (static_cast<std::size_t>(j) * static_cast<std::size_t>(from.width) +
                 static_cast<std::size_t>(i)) *
                3;
            to.Set(x + i, y + j, from.rgb[at], from.rgb[at + 1], from.rgb[at + 2]);
        }
}

namespace {

struct FontShape {
    const uint8_t* columns;
    unsigned last;  // the last code it holds; the first is 32
    int width;      // columns a glyph
    int advance;
    bool topBitFirst;
};

FontShape ShapeOf(TextFont font) {
    // The small font's top row is blank, so its glyphs sit one dot lower.
    if (font == TextFont::Small) return {smallFont, 127, 5, 6, true};
    return {font8x8, 131, 8, 8, false};
}

constexpr int kGlyphRows = 8;

}  // namespace

int DrawText(RgbImage& image, int x, int y, const std::string& text, int scale, Rgb colour,
             TextFont font) {
    const FontShape f = ShapeOf(font);
    for (const char ch : text) {
        const auto code = static_cast<unsigned char>(ch);
        const unsigned glyph = code >= 32 && code <= f.last ? code - 32u : '?' - 32u;
        for (int col = 0; col < f.width; ++col) {
            const uint8_t bits =
                f.columns[glyph * static_cast<unsigned>(f.width) + static_cast<unsigned>(col)];
            for (int row = 0; row < kGlyphRows; ++row)
                if ((bits >> (f.topBitFirst ? 7 - row : row)) & 1)
                    image.FillRect(x + col * scale, y + row * scale, scale, scale, colour.r,
                                   colour.g, colour.b);
        }
        x += f.advance * scale;
    }
    return x;
}

int TextWidth(const std::string& text, int scale, TextFont font) {
    return static_cast<int>(text.size()) * ShapeOf(font).advance * scale;
}

int TextHeight(int scale) { return kGlyphRows * scale; }
