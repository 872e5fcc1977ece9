// The frame as files and text: plain PBM for goldens, quadrant blocks for the
// terminal; and file writing that never leaves half a file behind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Dots of inst.frameBuffer row by row, 1 dark, kLcdWidth * kLcdHeight.
std::vector<uint8_t> FrameDots();

// Plain P1 PBM: "P1\n114 64\n", then one row a line, dots separated by
// spaces.
std::string PbmText(const std::vector<uint8_t>& dots);

// Reads a plain P1 PBM of the LCD's size (comments and any spacing allowed);
// false with a message when it is not one.
bool ParsePbm(const std::string& text, std::vector<uint8_t>& dots, std::string& error);

// The frame as lines of Unicode quadrant blocks inside a border: each
// character is 2 x 2 dots, 57 characters by 32 lines.
std::string FrameText();

// Writes a whole file or nothing: through a temporary file renamed into
// place. With makeDirs, missing directories are created first. False with a
// message naming the path when it cannot be written.
bool WriteWholeFile(const std::string& path, const std::string& bytes, bool makeDirs,
                    std::string& error);

// The file's bytes; false with the reason ("no such file", ...) when it
// cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);
