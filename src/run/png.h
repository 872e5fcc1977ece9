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

// Writes the image whole or not at all; false with a message naming the path.
bool WritePng(const std::string& path, const RgbImage& image, std::string& error);

struct Rgb {
    uint8_t r, g, b;
};

// The LCD's own colours: dark dots near black on a pale grey.
constexpr Rgb kLcdDark = {0x10, 0x18, 0x10};
constexpr Rgb kLcdLight = {0xC8, 0xD0, 0xB8};

// Dots row by row (1 dark), width x height of them, each scale x scale pixels.
RgbImage DotsImage(const std::vector<uint8_t>& dots, int width, int height, int scale);

// The LCD frame in inst.frameBuffer, each dot scale x scale pixels.
RgbImage FrameImage(int scale);

// Copies `from` into `to` with its top left at (x, y), clipped.
void Paste(RgbImage& to, const RgbImage& from, int x, int y);

// The instrument's fonts: the small 5 x 7 one, and the bold 8 x 8 one whose
// lower case has descenders (clearer for captions).
enum class TextFont : uint8_t { Small, Bold };

// Writes text, each font dot scale x scale pixels; characters the font lacks
// show as '?'. Returns the x after the text.
int DrawText(RgbImage& image, int x, int y, const std::string& text, int scale, Rgb colour,
             TextFont font = TextFont::Small);

// How wide and high DrawText draws text at a scale.
int TextWidth(const std::string& text, int scale, TextFont font = TextFont::Small);
int TextHeight(int scale);
