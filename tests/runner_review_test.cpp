// Reviewing frames: the difference picture, the report page, golden updates
// without churn and the listing of unused goldens.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/state.h"
#include "lcd/lcd.h"
#include "run/frame_diff.h"
#include "run/frame_io.h"
#include "runner/run_script.h"

namespace fs = std::filesystem;

namespace {

using Dots = std::vector<uint8_t>;

Dots Blank() { return Dots(kLcdWidth * kLcdHeight, 0); }

void Dot(Dots& dots, int x, int y) { dots[static_cast<std::size_t>(y * kLcdWidth + x)] = 1; }

Rgb PixelAt(const RgbImage& img, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(img.width) +
                            static_cast<std::size_t>(x)) *
                           3;
    return {img.rgb[at], img.rgb[at + 1], img.rgb[at + 2]};
}

// The centre of dot (x, y) in a panel: 0 expected, 1 actual, 2 difference.
Rgb DotColour(const RgbImage& img, int panel, int x, int y) {
    return PixelAt(img, DiffPanelX(panel) + x * kDiffScale + kDiffScale / 2,
                   DiffPanelY() + y * kDiffScale + kDiffScale / 2);
}

bool Same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

}  // namespace

TEST(FrameDiffImage, ShowsBothFramesAndColoursGainedLostAndSharedDots) {
    Dots expected = Blank(), actual = Blank();
    Dot(expected, 10, 5);  // shared
    Dot(actual, 10, 5);
    Dot(actual, 40, 20);     // gained
    Dot(expected, 113, 63);  // lost, in the far corner
    const RgbImage img = FrameDiffImage(expected, actual, "x.pbm: 2 dots differ");
    EXPECT_EQ(img.width, DiffPanelX(3) - kDiffMargin);
    EXPECT_EQ(img.height, DiffPanelY() + kLcdHeight * kDiffScale + kDiffMargin);

    const struct {
        int x, y;
        Rgb expected, actual, difference;
    } cases[] = {
        {10, 5, kLcdDark, kLcdDark, kDiffShared},
        {40, 20, kLcdLight, kLcdDark, kDiffGained},
        {113, 63, kLcdDark, kLcdLight, kDiffLost},
        {60, 40, kLcdLight, kLcdLight, kLcdLight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("dot " + std::to_string(c.x) + ", " + std::to_string(c.y));
        EXPECT_TRUE(Same(DotColour(img, 0, c.x, c.y), c.expected));
        EXPECT_TRUE(Same(DotColour(img, 1, c.x, c.y), c.actual));
        EXPECT_TRUE(Same(DotColour(img, 2, c.x, c.y), c.difference));
    }
    // A whole dot is its colour, to its edge pixels.
    EXPECT_TRUE(Same(PixelAt(img, DiffPanelX(2) + 40 * kDiffScale, DiffPanelY() + 20 * kDiffScale),
                     kDiffGained));
    EXPECT_TRUE(
        Same(PixelAt(img, DiffPanelX(2) + 41 * kDiffScale - 1, DiffPanelY() + 21 * kDiffScale - 1),
             kDiffGained));
}

TEST(FrameDiffImage, BoxesTheChangedDotsAndNothingElse) {
    Dots expected = Blank(), actual = Blank();
    Dot(actual, 50, 30);
    const RgbImage one = FrameDiffImage(expected, actual, "");
    // Two dots clear of the changed one on each side, inside the panel.
    EXPECT_TRUE(Same(PixelAt(one, DiffPanelX(2) + 48 * kDiffScale, DiffPanelY() + 30 * kDiffScale),
                     kDiffBox));
    EXPECT_TRUE(
        Same(PixelAt(one, DiffPanelX(2) + 53 * kDiffScale - 1, DiffPanelY() + 30 * kDiffScale),
             kDiffBox));
    EXPECT_TRUE(Same(DotColour(one, 2, 49, 30), kLcdLight)) << "the box is a frame, not a fill";

    Dots same = Blank();
    Dot(same, 50, 30);
    const RgbImage none = FrameDiffImage(same, same, "");
    for (int y = 0; y < none.height; ++y)
        for (int x = 0; x < none.width; ++x)
            ASSERT_FALSE(Same(PixelAt(none, x, y), kDiffBox))
                << "no box without a change, at " << x << ", " << y;
}

TEST(FrameDiffImage, CaptionIsDrawnOnOneLineAndShrinksToFit) {
    const auto inkedColumns = [](const RgbImage& img) {
        int right = -1;
        for (int y = 0; y < DiffPanelY() - TextHeight(kDiffCaptionScale) - kDiffMargin; ++y)
            for (int x = 0; x < img.width; ++x)
                if (Same(PixelAt(img, x, y), kDiffCaption)) right = std::max(right, x);
        return right;
    };
    const Dots blank = Blank();
    EXPECT_EQ(inkedColumns(FrameDiffImage(blank, blank, "")), -1);
    const std::string shortText(10, 'W');
    const int shortRight = inkedColumns(FrameDiffImage(blank, blank, shortText));
    EXPECT_GT(shortRight, kDiffMargin);
    EXPECT_LE(shortRight, kDiffMargin + TextWidth(shortText, kDiffCaptionScale, TextFont::Bold));
    // Too long at full size: drawn at half size, still inside the picture.
    const std::string longText(120, 'W');
    const RgbImage img = FrameDiffImage(blank, blank, longText);
    const int longRight = inkedColumns(img);
    EXPECT_GT(longRight, shortRight);
    EXPECT_LE(longRight, kDiffMargin + TextWidth(longText, 1, TextFont::Bold));
}

// Scripts and goldens in a scratch folder, run through the whole program.
class RunnerReviewTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgram(); }

    std::string Script(const std::string& name, const std::string& text) {
        Write(dir / name, text);
        return dir / name;
    }
    std::string Golden(const std::string& name, const Dots& dots) {
        Write(dir / name, PbmText(dots));
        return dir / name;
    }

    ScratchDir dir;
};

TEST_F(RunnerReviewTest, ReportListsEachFailureWithItsFramePictures) {
    Dots corner = Blank();
    Dot(corner, 0, 0);
    Golden("golden/corner.pbm", corner);
    const std::string script = Script("fails.qtr",
                                      "set frameBuffer[0] 3\n"
                                      "expect-frame golden/corner.pbm\n"
                                      "expect qnh == 1\n"
                                      "expect-frame golden/missing.pbm\n");
    const std::string report = dir / "report";
    const RunResult r = Main({"--quiet", "--report", report.c_str(), script.c_str()});
    EXPECT_EQ(r.status, kExitFailed) << r.err;
    const std::string page = Read(report + "/index.html");
    EXPECT_NE(page.find("3 expectations failed"), std::string::npos) << page;
    for (const char* line :
         {":2</code> frame differs from", ":3</code> expected qnh == 1, found 0",
          ":4</code> no golden frame"})
        EXPECT_NE(page.find(line), std::string::npos) << line << "\n" << page;
    for (const char* file : {"01-expected.png", "01-actual.png", "01-diff.png", "02-actual.png"}) {
        EXPECT_NE(page.find(std::string("src=\"") + file + "\""), std::string::npos) << file;
        EXPECT_EQ(Read(report + "/" + file).substr(1, 3), "PNG") << file;
    }
    EXPECT_FALSE(fs::exists(report + "/02-expected.png")) << "no golden, no expected picture";
    EXPECT_EQ(page.find("<script"), std::string::npos);
}

TEST_F(RunnerReviewTest, ReportOfAPassingRunAndOfAScriptError) {
    const std::string report = dir / "report";
    const std::string good = Script("good.qtr", "expect qnh == 0\n");
    RunResult r = Main({"--quiet", "--report", report.c_str(), good.c_str()});
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    std::string page = Read(report + "/index.html");
    EXPECT_NE(page.find("Every expectation held."), std::string::npos) << page;
    EXPECT_EQ(page.find("<img"), std::string::npos);

    const std::string bad = Script("bad<1>.qtr", "frobnicate\n");
    r = Main({"--quiet", "--report", report.c_str(), bad.c_str()});
    EXPECT_EQ(r.status, kExitError);
    page = Read(report + "/index.html");
    EXPECT_NE(page.find("The run stopped on an error"), std::string::npos) << page;
    EXPECT_NE(page.find("bad&lt;1&gt;.qtr:1: unknown command 'frobnicate'"), std::string::npos)
        << page;
    EXPECT_EQ(page.find("Every expectation held."), std::string::npos);

    r = Main({"--report"});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_EQ(r.err.rfind("qtr5-run: --report needs a DIR\n", 0), 0u);
}

TEST_F(RunnerReviewTest, UpdatingGoldensRewritesOnlyChangedOnes) {
    Dots corner = Blank();
    Dot(corner, 0, 0);
    // Equal dots, other spacing and a comment: left byte for byte as it is.
    std::string loose = "P1\n# hand-made\n114 64\n";
    for (std::size_t i = 0; i < corner.size(); ++i) loose += corner[i] ? "1" : "0";
    loose += "\n";
    Write(dir / "same.pbm", loose);
    Golden("changed.pbm", Blank());
    Write(dir / "same.actual.pbm", "stale");
    Write(dir / "same.diff.png", "stale");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(dir / "same.pbm", old);

    const std::string script = Script("update.qtr",
                                      "set frameBuffer[0] 1\n"
                                      "expect-frame same.pbm\n"
                                      "expect-frame changed.pbm\n"
                                      "expect-frame new/fresh.pbm\n");
    const RunResult r = Main({"--update-goldens", script.c_str()});
    EXPECT_EQ(r.status, kExitPassed) << r.err;
    EXPECT_EQ(Read(dir / "same.pbm"), loose);
    EXPECT_EQ(fs::last_write_time(dir / "same.pbm"), old);
    EXPECT_FALSE(fs::exists(dir / "same.actual.pbm"));
    EXPECT_FALSE(fs::exists(dir / "same.diff.png"));
    EXPECT_EQ(Read(dir / "changed.pbm"), PbmText(corner));
    EXPECT_EQ(Read(dir / "new/fresh.pbm"), PbmText(corner));
    EXPECT_EQ(r.err.find("same.pbm"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("updated golden " + dir / "changed.pbm" + "\n"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("wrote new golden " + dir / "new/fresh.pbm" + "\n"), std::string::npos)
        << r.err;

    // An unusable golden is replaced too.
    Write(dir / "same.pbm", "P1\n3 3\n");
    EXPECT_EQ(Main({"--quiet", "--update-goldens", script.c_str()}).status, kExitPassed);
    EXPECT_EQ(Read(dir / "same.pbm"), PbmText(corner));
}

TEST_F(RunnerReviewTest, UnusedGoldensAreListedAsTheRunResolvesPaths) {
    Golden("golden/used.pbm", Blank());
    Golden("golden/spare.pbm", Blank());
    Golden("golden/also-spare.pbm", Blank());
    Write(dir / "golden/used.actual.pbm", "the runner's own");
    Write(dir / "golden/notes.txt", "not a frame");
    // Paths are relative to each script's folder.
    const std::string first = Script("a/first.qtr", "expect-frame ../golden/used.pbm\n");
    const std::string second = Script("second.qtr", "on\nexpect-frame golden/./spare.pbm\n");
    const std::string golden = dir / "golden";

    RunResult r = Main({"--unused-goldens", golden.c_str(), first.c_str()});
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.out, dir / "golden/also-spare.pbm" + "\n" + dir / "golden/spare.pbm" + "\n");

    fs::remove(dir / "golden/also-spare.pbm");
    r = Main({"--unused-goldens", golden.c_str(), first.c_str(), second.c_str()});
    EXPECT_EQ(r.status, kExitPassed) << r.out;
    EXPECT_EQ(r.out, "");

    const std::string bad = Script("bad.qtr", "expect-frame x.txt\n");
    r = Main({"--unused-goldens", golden.c_str(), bad.c_str()});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_NE(r.err.find("bad.qtr:1: a golden frame is a .pbm file"), std::string::npos) << r.err;
    r = Main({"--unused-goldens", (dir / "nowhere").c_str(), first.c_str()});
    EXPECT_EQ(r.status, kExitError);
    EXPECT_NE(r.err.find("is not a directory"), std::string::npos) << r.err;
}
