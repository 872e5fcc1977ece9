#include "run/frame_diff.h"

#include <algorithm>

#include "lcd/lcd.h"

DotDifference CompareDots(const std::vector<uint8_t>& expected,
                          const std::vector<uint8_t>& actual) {
    DotDifference d;
    for (std::size_t i = 0; i < expected.size() && i < actual.size(); ++i)
        if (expected[i] != actual[i] && d.count++ == 0) d.first = i;
    return d;
}

namespace {

constexpr int kPanelWidth = kLcdWidth * kDiffScale;
constexpr int kPanelHeight = kLcdHeight * kDiffScale;

}  // namespace

int DiffPanelX(int panel) { return kDiffMargin + panel * (kPanelWidth + kDiffMargin * 2); }

int DiffPanelY() {
    // Two lines: the caption, then each panel's name.
    return kDiffMargin + 2 * (TextHeight(kDiffCaptionScale) + kDiffMargin);
}

RgbImage FrameDiffImage(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual,
                        const std::string& caption) {
    const Rgb bg = kDiffBackground;
    RgbImage img(DiffPanelX(3) - kDiffMargin, DiffPanelY() + kPanelHeight + kDiffMargin, bg.r, bg.g,
                 bg.b);
    // A long path still fits on its one line, smaller.
    const int width = img.width - 2 * kDiffMargin;
    const int scale =
        TextWidth(caption, kDiffCaptionScale, TextFont::Bold) <= width ? kDiffCaptionScale : 1;
    DrawText(img, kDiffMargin, kDiffMargin + (kDiffCaptionScale - scale) * 4, caption, scale,
             kDiffCaption, TextFont::Bold);
    const int labelY = kDiffMargin + TextHeight(kDiffCaptionScale) + kDiffMargin;
    DrawText(img, DiffPanelX(0), labelY, "EXPECTED", kDiffCaptionScale, kDiffCaption,
             TextFont::Bold);
    DrawText(img, DiffPanelX(1), labelY, "ACTUAL", kDiffCaptionScale, kDiffCaption, TextFont::Bold);
    int x = DrawText(img, DiffPanelX(2), labelY, "GAINED", kDiffCaptionScale, kDiffGained,
                     TextFont::Bold);
    x = DrawText(img, x, labelY, " / ", kDiffCaptionScale, kDiffCaption, TextFont::Bold);
    DrawText(img, x, labelY, "LOST", kDiffCaptionScale, kDiffLost, TextFont::Bold);

    Paste(img, DotsImage(expected, kLcdWidth, kLcdHeight, kDiffScale), DiffPanelX(0), DiffPanelY());
    Paste(img, DotsImage(actual, kLcdWidth, kLcdHeight, kDiffScale), DiffPanelX(1), DiffPanelY());
    const Rgb light = kLcdLight;
    img.FillRect(DiffPanelX(2), DiffPanelY(), kPanelWidth, kPanelHeight, light.r, light.g, light.b);
    // A lone changed dot is easy to miss at this size: a box holds them all.
    int left = kLcdWidth, right = -1, top = kLcdHeight, bottom = -1;
    for (int y = 0; y < kLcdHeight; ++y)
        for (int x2 = 0; x2 < kLcdWidth; ++x2)
            if (expected[static_cast<std::size_t>(y * kLcdWidth + x2)] !=
                actual[static_cast<std::size_t>(y * kLcdWidth + x2)]) {
                left = std::min(left, x2);
                right = std::max(right, x2);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right >= 0) {
        const Rgb c = kDiffBox;
        const int x0 = DiffPanelX(2) + std::max(left - 2, 0) * kDiffScale;
        const int y0 = DiffPanelY() + std::max(top - 2, 0) * kDiffScale;
        const int x1 = DiffPanelX(2) + (std::min(right + 2, kLcdWidth - 1) + 1) * kDiffScale;
        const int y1 = DiffPanelY() + (std::min(bottom + 2, kLcdHeight - 1) + 1) * kDiffScale;
        img.FillRect(x0, y0, x1 - x0, 2, c.r, c.g, c.b);
        img.FillRect(x0, y1 - 2, x1 - x0, 2, c.r, c.g, c.b);
        img.FillRect(x0, y0, 2, y1 - y0, c.r, c.g, c.b);
        img.FillRect(x1 - 2, y0, 2, y1 - y0, c.r, c.g, c.b);
    }
    for (int y = 0; y < kLcdHeight; ++y)
        for (int x2 = 0; x2 < kLcdWidth; ++x2) {
            const std::size_t i = static_cast<std::size_t>(y * kLcdWidth + x2);
            const bool was = expected[i] != 0, is = actual[i] != 0;
            if (!was && !is) continue;
            const Rgb c = was && is ? kDiffShared : is ? kDiffGained : kDiffLost;
            img.FillRect(DiffPanelX(2) + x2 * kDiffScale, DiffPanelY() + y * kDiffScale, kDiffScale,
                         kDiffScale, c.r, c.g, c.b);
        }
    return img;
}
