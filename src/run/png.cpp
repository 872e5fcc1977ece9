#include "run/png.h"

#include <array>
#include <fstream>
#include <stdexcept>

#include <zlib.h>

#include "core/state.h"
#include "lcd/lcd.h"

RgbImage::RgbImage(int w, int h, uint8_t r, uint8_t g, uint8_t b)
    : width(w), height(h), rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3) {
    FillRect(0, 0, w, h, r, g, b);
}

void RgbImage::Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
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
        const auto row = image.rgb.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * stride);
        raw.insert(raw.end(), row, row + static_cast<std::ptrdiff_t>(stride));
    }
    Chunk(out, "IDAT", Zlib(raw));
    Chunk(out, "IEND", {});
    return out;
}

bool WritePng(const std::string& path, const RgbImage& image) {
    const std::vector<uint8_t> bytes = EncodePng(image);
    std::ofstream f(path, std::ios::binary);
    if (!f) return false;
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

RgbImage FrameImage(int scale) {
    RgbImage img(kLcdWidth * scale, kLcdHeight * scale, 0xC8, 0xD0, 0xB8);
    for (int x = 0; x < kLcdWidth; ++x)
        for (int y = 0; y < kLcdHeight; ++y)
            if (LcdGetPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y)))
                img.FillRect(x * scale, y * scale, scale, scale, 0x10, 0x18, 0x10);
    return img;
}
