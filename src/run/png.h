// A small PNG writer (8-bit RGB, zlib-compressed): enough for frame dumps
// and review sheets without pulling in an image library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // width * height * 3, row by row

    RgbImage(int w, int h, uint8_t r = 255, uint8_t g = 255, uint8_t b = 255);
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b);
    void FillRect(int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b);
};

// The PNG file's bytes.
std::vector<uint8_t> EncodePng(const RgbImage& image);

// Writes the image; false (with errno set by the stream) when the file
// cannot be written.
bool WritePng(const std::string& path, const RgbImage& image);

// The LCD frame in inst.frameBuffer, each dot scale x scale pixels: dark dots
// black, light dots a pale LCD grey.
RgbImage FrameImage(int scale);
