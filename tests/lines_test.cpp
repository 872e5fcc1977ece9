#include <gtest/gtest.h>

#include <vector>

#include "dots.h"

namespace {

struct LineCase {
    int x0, y0, x1, y1;
    Dots dots;
};

}  // namespace

TEST(Lines, MidpointWalkSetsExactlyTheseDots) {
    const std::vector<LineCase> cases = {
        {0, 0, 2, 1, {{0, 0}, {1, 0}, {2, 1}}},
        {2, 1, 0, 0, {{2, 1}, {1, 1}, {0, 0}}},  // the reverse differs
        {0, 0, 6, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}, {6, 2}}},
        {0, 0, 1, 3, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {5, 5, 5, 5, {{5, 5}}},
        {-3, 5, 2, 5, {{0, 5}, {1, 5}, {2, 5}}},
        {250, 5, 260, 5, {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}}},
        {100, 4, 118, 4, Box(100, 113, 4, 4)},  // a title rule stops at the edge
    };
    for (const LineCase& c : cases) {
        ResetProgram();
        LcdLine(c.x0, c.y0, c.x1, c.y1, 1);
        EXPECT_EQ(DarkDots(), c.dots) << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
    }
}

TEST(Lines, ToggleVisitsEveryDotOnce) {
    ResetProgram();
    LcdLine(3, 60, 90, 2, 2);
    const Dots once = DarkDots();
    EXPECT_EQ(once.size(), 88u);
    LcdLine(3, 60, 90, 2, 2);
    EXPECT_TRUE(DarkDots().empty());
}

TEST(Rects, OutlineAndToggledCorners) {
    ResetProgram();
    LcdRect(2, 3, 6, 5, 1);
    Dots outline = Box(2, 6, 3, 5);
    outline.erase({3, 4});
    outline.erase({4, 4});
    outline.erase({5, 4});
    EXPECT_EQ(DarkDots(), outline);
    ResetProgram();
    LcdRect(2, 3, 6, 5, 2);
    for (auto corner : {std::pair{2, 3}, {6, 3}, {2, 5}, {6, 5}}) outline.erase(corner);
    EXPECT_EQ(DarkDots(), outline);
}

TEST(Rects, FillExcludesTheRightColumn) {
    struct Case {
        uint8_t x0, y0, x1, y1;
        Dots dots;
    };
    const std::vector<Case> cases = {
        {2, 3, 6, 5, Box(2, 5, 3, 5)},
        {6, 3, 2, 5, {}},
        {2, 5, 4, 3, Box(2, 3, 3, 5)},
        {109, 57, 114, 64, Box(109, 113, 57, 63)},  // the lowest scroll-bar thumb
    };
    for (const Case& c : cases) {
        ResetProgram();
        LcdFillRect(c.x0, c.y0, c.x1, c.y1, 1);
        EXPECT_EQ(DarkDots(), c.dots)
            << int(c.x0) << "," << int(c.y0) << " " << int(c.x1) << "," << int(c.y1);
    }
}
