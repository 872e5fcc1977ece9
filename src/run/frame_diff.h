// Comparing a frame with its golden, and a picture of how they differ.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "run/png.h"

// Dots that differ between two frames of the LCD's size, and the first one.
struct DotDifference {
    int count = 0;
    std::size_t first = 0;
};
DotDifference CompareDots(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual);

// Colours of the difference panel: dots the actual frame gained (dark where
// the golden is light), dots it lost, and dots both frames share.
constexpr Rgb kDiffGained = {0x00, 0x9C, 0x3C};
constexpr Rgb kDiffLost = {0xE0, 0x20, 0x20};
constexpr Rgb kDiffShared = {0xA4, 0xAC, 0x98};
constexpr Rgb kDiffBackground = {0xFF, 0xFF, 0xFF};
constexpr Rgb kDiffCaption = {0x20, 0x20, 0x20};
constexpr Rgb kDiffBox = {0x30, 0x60, 0xD0};  // around every changed dot, beneath the dots

// Layout of the picture, in pixels: a caption line, then expected, actual and
// difference panels side by side, each dot kDiffScale pixels.
constexpr int kDiffScale = 4;
constexpr int kDiffMargin = 8;
constexpr int kDiffCaptionScale = 2;
int DiffPanelX(int panel);  // 0 expected, 1 actual, 2 difference
int DiffPanelY();

// Expected | actual | difference with `caption` above; both frames are
// kLcdWidth x kLcdHeight dots, 1 dark. A box two dots clear of them frames
// the changed dots, so a lone one is found at a glance.
RgbImage FrameDiffImage(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual,
                        const std::string& caption);
