// Draws every screen of the instrument for the documentation: runs an atlas
// script through the runner (the same handlers as the window) and turns each
// `dump frame NAME.pbm` into OUTDIR/atlas/NAME.png, then lays them all out,
// captioned with their names, on the contact sheet OUTDIR/atlas.png.
//   qtr5-atlas SCRIPT OUTDIR
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "lcd/lcd.h"
#include "run/frame_io.h"
#include "run/png.h"
#include "run/script.h"

namespace {

struct Shot {
    std::string name;
    std::vector<uint8_t> dots;
};

constexpr int kFileScale = 4;
constexpr int kSheetScale = 2;
constexpr int kColumns = 6;
constexpr int kGap = 12;
constexpr int kCaptionGap = 4;
constexpr int kTitleScale = 2;
constexpr Rgb kInk = {0x20, 0x20, 0x20};
constexpr Rgb kPaper = {0xFF, 0xFF, 0xFF};
constexpr Rgb kFrameEdge = {0x70, 0x78, 0x68};

RgbImage ContactSheet(const std::vector<Shot>& shots, const std::string& title) {
    const int frameW = kLcdWidth * kSheetScale, frameH = kLcdHeight * kSheetScale;
    const int cellW = frameW + 2 + kGap;
    const int cellH = frameH + 2 + kCaptionGap + TextHeight(1) + kGap;
    const int rows = (static_cast<int>(shots.size()) + kColumns - 1) / kColumns;
    const int top = kGap + TextHeight(kTitleScale) + kGap;
    RgbImage sheet(kGap + kColumns * cellW, top + rows * cellH, kPaper.r, kPaper.g, kPaper.b);
    DrawText(sheet, kGap, kGap, title, kTitleScale, kInk, TextFont::Bold);
    for (std::size_t i = 0; i < shots.size(); ++i) {
        const int x = kGap + static_cast<int>(i % kColumns) * cellW;
        const int y = top + static_cast<int>(i / kColumns) * cellH;
        sheet.FillRect(x, y, frameW + 2, frameH + 2, kFrameEdge.r, kFrameEdge.g, kFrameEdge.b);
        Paste(sheet, DotsImage(shots[i].dots, kLcdWidth, kLcdHeight, kSheetScale), x + 1, y + 1);
        DrawText(sheet, x, y + frameH + 2 + kCaptionGap, shots[i].name, 1, kInk, TextFont::Bold);
    }
    return sheet;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: qtr5-atlas SCRIPT OUTDIR\n";
        return 2;
    }
    const std::string scriptPath = argv[1], outDir = argv[2];
    ScriptSource script{scriptPath, std::filesystem::path(scriptPath).parent_path().string(), ""};
    std::string error;
    if (!ReadWholeFile(scriptPath, script.text, error)) {
        std::cerr << "qtr5-atlas: cannot read " << scriptPath << ": " << error << "\n";
        return 2;
    }
    std::vector<Shot> shots;
    bool badName = false;  // dumped twice or too long a caption
    RunOptions options;
    options.quiet = true;
    options.frameSink = [&](const std::string& path, const std::vector<uint8_t>& dots) {
        const std::string name = std::filesystem::path(path).stem().string();
        if (TextWidth(name, 1, TextFont::Bold) > kLcdWidth * kSheetScale + kGap) {
            std::cerr << "qtr5-atlas: the name " << name << " is too long for its caption\n";
            badName = true;
        }
        for (const Shot& s : shots)
            if (s.name == name) {
                std::cerr << "qtr5-atlas: " << name << " is dumped twice\n";
                badName = true;
            }
        shots.push_back({name, dots});
    };
    const int status = RunScripts({script}, options, std::cout, std::cerr);
    if (status != kExitPassed || badName) return status == kExitPassed ? 1 : status;
    for (const Shot& s : shots)
        if (!WritePng(outDir + "/atlas/" + s.name + ".png",
                      DotsImage(s.dots, kLcdWidth, kLcdHeight, kFileScale), error)) {
            std::cerr << "qtr5-atlas: " << error << "\n";
            return 1;
        }
    // The folder is the atlas's own: a frame the script no longer dumps goes.
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(outDir + "/atlas", ec)) {
        const std::string name = e.path().stem().string();
        if (e.path().extension() == ".png" &&
            std::none_of(shots.begin(), shots.end(), [&](const Shot& s) { return s.name == name; }))
            std::filesystem::remove(e.path(), ec);
    }
    const std::string title =
        "QTR-5: EVERY SCREEN AND STATE (" + std::to_string(shots.size()) + ")";
    if (!WritePng(outDir + "/atlas.png", ContactSheet(shots, title), error)) {
        std::cerr << "qtr5-atlas: " << error << "\n";
        return 1;
    }
    std::cout << "wrote " << shots.size() << " frames to " << outDir << "/atlas and the sheet "
              << outDir << "/atlas.png\n";
    return 0;
}
