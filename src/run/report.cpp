#include "run/report.h"

#include <cstdio>

#include "lcd/lcd.h"
#include "run/frame_diff.h"
#include "run/frame_io.h"
#include "run/png.h"

namespace {

std::string Html(const std::string& text) {
    std::string s;
    for (const char c : text) {
        switch (c) {
        case '&': s += "&amp;"; break;
        case '<': s += "&lt;"; break;
        case '>': s += "&gt;"; break;
        case '"': s += "&quot;"; break;
        default: s += c;
        }
    }
    return s;
}

const char kStyle[] =
    "body{font-family:sans-serif;margin:2em;max-width:90em}"
    "h1{font-size:1.4em}.fail{border-top:1px solid #ccc;padding:.5em 0}"
    "code{background:#f4f4f4}figure{display:inline-block;margin:0 1em 1em 0}"
    "img{image-rendering:pixelated;border:1px solid #888}"
    ".ok{color:#060}.bad{color:#a00}pre{background:#f4f4f4;padding:.5em}";

}  // namespace

bool WriteReport(const std::string& dir, const RunReport& report, std::string& error) {
    std::string scripts;
    for (const std::string& s : report.scripts) scripts += (scripts.empty() ? "" : ", ") + s;
    std::string page =
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>qtr5-run "
        "report</title>\n<style>" +
        std::string(kStyle) +
        "</style></head><body>\n<h1>qtr5-run report</h1>\n<p>Scripts: <code>" + Html(scripts) +
        "</code></p>\n";
    if (report.status == 0) {
        page += "<p class=\"ok\">Every expectation held.</p>\n";
    } else if (!report.failures.empty()) {
        page += "<p class=\"bad\">" + std::to_string(report.failures.size()) +
                (report.failures.size() == 1 ? " expectation" : " expectations") + " failed.</p>\n";
    }
    if (!report.errors.empty())
        page += "<p class=\"bad\">The run stopped on an error:</p>\n<pre>" + Html(report.errors) +
                "</pre>\n";
    int pictures = 0;
    for (const ReportedFailure& f : report.failures) {
        page += "<div class=\"fail\"><p><code>" + Html(f.where) + "</code> " + Html(f.message) +
                "</p>\n";
        if (!f.actual.empty()) {
            char stem[16];
            std::snprintf(stem, sizeof stem, "%02d", ++pictures);
            const std::vector<uint8_t> blank(f.actual.size(), 0);
            const std::vector<uint8_t>& expected = f.expected.empty() ? blank : f.expected;
            const struct {
                const char* name;
                const char* label;
                RgbImage image;
            } shots[] = {
                {"-expected.png", "expected",
                 DotsImage(expected, kLcdWidth, kLcdHeight, kDiffScale)},
                {"-actual.png", "actual", DotsImage(f.actual, kLcdWidth, kLcdHeight, kDiffScale)},
                {"-diff.png", "difference", FrameDiffImage(expected, f.actual, f.caption)},
            };
            for (const auto& shot : shots) {
                if (f.expected.empty() && shot.name != shots[1].name) continue;
                const std::string file = std::string(stem) + shot.name;
                if (!WritePng(dir + "/" + file, shot.image, error)) return false;
                page += "<figure><img src=\"" + file + "\" alt=\"" + shot.label +
                        "\"><figcaption>" + shot.label + "</figcaption></figure>\n";
            }
        }
        page += "</div>\n";
    }
    page += "</body></html>\n";
    return WriteWholeFile(dir + "/index.html", page, true, error);
}
