#include "run/frame_io.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/state.h"
#include "lcd/lcd.h"

std::vector<uint8_t> FrameDots() {
    std::vector<uint8_t> dots(kLcdWidth * kLcdHeight);
    for (int y = 0; y < kLcdHeight; ++y)
        for (int x = 0; x < kLcdWidth; ++x)
            dots[static_cast<std::size_t>(y * kLcdWidth + x)] =
                LcdGetPixel(static_cast<uint8_t>(x), static_cast<uint8_t>(y));
    return dots;
}

std::string PbmText(const std::vector<uint8_t>& dots) {
    std::string s = "P1\n" + std::to_string(kLcdWidth) + " " + std::to_string(kLcdHeight) + "\n";
    for (int y = 0; y < kLcdHeight; ++y) {
        for (int x = 0; x < kLcdWidth; ++x) {
            if (x > 0) s += ' ';
            s += dots[static_cast<std::size_t>(y * kLcdWidth + x)] ? '1' : '0';
        }
        s += '\n';
    }
    return s;
}

namespace {

// The header's tokens and then the dots, skipping spacing and comments.
class PbmReader {
public:
    explicit PbmReader(const std::string& text) : text_(text) {}

    void SkipSpace() {
        while (at_ < text_.size()) {
            if (text_[at_] == '#')
                while (at_ < text_.size() && text_[at_] != '\n') ++at_;
            else if (std::isspace(static_cast<unsigned char>(text_[at_])))
                ++at_;
            else
                break;
        }
    }
    std::string Token() {
        SkipSpace();
        const std::size_t start = at_;
        while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_])) &&
               text_[at_] != '#')
            ++at_;
        return text_.substr(start, at_ - start);
    }
    // Plain PBM dots need no spacing between them.
    int Dot() {
        SkipSpace();
        if (at_ == text_.size()) return -1;
        const char c = text_[at_++];
        return c == '0' ? 0 : c == '1' ? 1 : -2;
    }

private:
    const std::string& text_;
    std::size_t at_ = 0;
};

}  // namespace

bool ParsePbm(const std::string& text, std::vector<uint8_t>& dots, std::string& error) {
    PbmReader in(text);
    if (in.Token() != "P1") {
        error = "not a plain PBM (it must start with P1)";
        return false;
    }
    const std::string w = in.Token();
    const std::string h = in.Token();
    if (w != std::to_string(kLcdWidth) || h != std::to_string(kLcdHeight)) {
        error = "size " + w + " x " + h + ", not " + std::to_string(kLcdWidth) + " x " +
                std::to_string(kLcdHeight);
        return false;
    }
    dots.assign(kLcdWidth * kLcdHeight, 0);
    for (std::size_t i = 0; i < dots.size(); ++i) {
        const int d = in.Dot();
        if (d < 0) {
            error = d == -1 ? "it ends after " + std::to_string(i) + " of " +
                                  std::to_string(dots.size()) + " dots"
                            : "dot " + std::to_string(i) + " is not 0 or 1";
            return false;
        }
        dots[i] = static_cast<uint8_t>(d);
    }
    if (in.Dot() != -1) {
        error = "it has more than " + std::to_string(dots.size()) + " dots";
        return false;
    }
    return true;
}

std::string FrameText() {
    // Indexed by the four dots: 1 top left, 2 top right, 4 bottom left, 8 bottom right.
    static const char* const kQuadrants[16] = {" ", "▘", "▝", "▀", "▖", "▌", "▞", "▛",
                                               "▗", "▚", "▐", "▜", "▄", "▙", "▟", "█"};
    std::string border;
    for (int x = 0; x < kLcdWidth / 2; ++x) border += "─";
    std::string s = "┌" + border + "┐\n";
    for (int y = 0; y < kLcdHeight; y += 2) {
        s += "│";
        for (int x = 0; x < kLcdWidth; x += 2) {
            const auto dot = [&](int dx, int dy) {
                return LcdGetPixel(static_cast<uint8_t>(x + dx), static_cast<uint8_t>(y + dy));
            };
            s += kQuadrants[dot(0, 0) | dot(1, 0) << 1 | dot(0, 1) << 2 | dot(1, 1) << 3];
        }
        s += "│\n";
    }
    return s + "└" + border + "┘\n";
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, bool makeDirs,
                    std::string& error) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code ec;
    if (makeDirs && target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec) {
            error = "cannot create the directory of " + path + ": " + ec.message();
            return false;
        }
    }
    const std::string part = path + ".part";
    {
        std::ofstream f(part, std::ios::binary | std::ios::trunc);
        if (!f) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        f.close();
        if (!f) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            fs::remove(part, ec);
            return false;
        }
    }
    fs::rename(part, target, ec);
    if (ec) {
        error = "cannot write " + path + ": " + ec.message();
        fs::remove(part, ec);
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status)) {
        error = "no such file";
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        error = "not a file";
        return false;
    }
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        error = std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    if (f.bad()) {
        error = "read error";
        return false;
    }
    return true;
}
