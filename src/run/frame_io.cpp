#include "run/frame_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/state.h"
#include "lcd/lcd.h"
#include "run/probe.h"

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
    char Last() const { return text_[at_ - 1]; }

private:
    const std::string& text_;
    std::size_t at_ = 0;
};

}  // namespace

namespace {

// A header number, also with leading zeros; -1 when it is not one.
long HeaderNumber(const std::string& token) {
    if (token.empty() || token.size() > 9 ||
        token.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stol(token);
}

}  // namespace

bool ParsePbm(const std::string& text, std::vector<uint8_t>& dots, std::string& error) {
    PbmReader in(text);
    if (in.Token() != "P1") {
        error = "not a plain PBM (it must start with P1)";
        return false;
    }
    const std::string w = in.Token();
    const std::string h = in.Token();
    if (HeaderNumber(w) != kLcdWidth || HeaderNumber(h) != kLcdHeight) {
        error = "size " + Excerpt(w) + " x " + Excerpt(h) + ", not " + std::to_string(kLcdWidth) +
                " x " + std::to_string(kLcdHeight);
        return false;
    }
    dots.assign(kLcdWidth * kLcdHeight, 0);
    const std::string want = std::to_string(dots.size());
    for (std::size_t i = 0; i < dots.size(); ++i) {
        const int d = in.Dot();
        if (d == -1) {
            error = "it ends after " + std::to_string(i) + " of " + want + " dots";
            return false;
        }
        if (d < 0) {
            error = "after " + std::to_string(i) + " of " + want + " dots, '" +
                    Excerpt(std::string(1, in.Last())) + "' is not 0 or 1";
            return false;
        }
        dots[i] = static_cast<uint8_t>(d);
    }
    std::size_t found = dots.size();
    int d = in.Dot();
    for (; d >= 0; d = in.Dot()) ++found;
    if (found > dots.size()) {
        error = "it has " + std::to_string(found) + " dots, not " + want;
        return false;
    }
    if (d == -2) {
        error = "after its " + want + " dots, '" + Excerpt(std::string(1, in.Last())) +
                "' is not 0 or 1";
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

namespace {

std::string Reason(int code) { return std::strerror(code); }

// Where writing a missing `path` lands: a dangling symlink is followed, so the
// link stays and its target is created. False when links loop.
bool FollowLinks(const std::string& path, std::string& target, std::string& error) {
    namespace fs = std::filesystem;
    fs::path at(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = at.string();
            return true;
        }
        std::error_code ec;
        const fs::path to = fs::read_symlink(at, ec);
        if (ec) {
            error = "cannot write " + path + ": " + ec.message();
            return false;
        }
        at = to.is_absolute() ? to : at.parent_path() / to;
    }
    error = "cannot write " + path + ": " + Reason(ELOOP);
    return false;
}

// The process's umask, read without changing it (umask() would, for a moment,
// for every thread).
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 022;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// FIFOs, devices and terminals are written in place: replacing them by a
// file would break whatever reads them.
bool WriteInPlace(const std::string& path, const std::string& target, const std::string& bytes,
                  std::string& error) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot write " + path + ": " + Reason(errno);
        return false;
    }
    const bool written = WriteAll(fd, bytes);
    const int code = errno;
    if (::close(fd) != 0 && written) {
        error = "cannot write " + path + ": " + Reason(errno);
        return false;
    }
    if (!written) error = "cannot write " + path + ": " + Reason(code);
    return written;
}

}  // namespace

bool WriteWholeFile(const std::string& path, const std::string& bytes, bool makeDirs,
                    std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (makeDirs && fs::path(path).has_parent_path()) {
        fs::create_directories(fs::path(path).parent_path(), ec);
        if (ec) {
            error = "cannot create the directory of " + path + ": " + ec.message();
            return false;
        }
    }
    // stat follows every link, also the kernel's own (/dev/stdout is one to
    // a pipe or a terminal), so try it before resolving anything by hand.
    std::string target;
    struct stat st;
    mode_t mode = 0666 & ~CurrentUmask();
    bool replacing = false;
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = "cannot write " + path + ": it is a directory";
            return false;
        }
        if (!S_ISREG(st.st_mode)) return WriteInPlace(path, path, bytes, error);
        // Root passes every permission check, so the mode bits decide.
        if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) {
            error = "cannot write " + path + ": it is read-only";
            return false;
        }
        target = fs::canonical(path, ec).string();
        if (ec) {
            error = "cannot write " + path + ": " + ec.message();
            return false;
        }
        mode = st.st_mode & 07777;
        replacing = true;
    } else if (errno != ENOENT) {
        error = "cannot write " + path + ": " + Reason(errno);
        return false;
    } else if (!FollowLinks(path, target, error)) {
        return false;
    }

    const fs::path dest(target);
    std::string temp = (dest.parent_path() / ("." + dest.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot write " + path + ": " + Reason(errno);
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0;
    // Root replacing someone's file leaves it theirs; failing that is harmless.
    if (ok && replacing && ::geteuid() == 0) (void)!::fchown(fd, st.st_uid, st.st_gid);
    ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        error = "cannot write " + path + ": " + Reason(code);
    }
    return ok;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = errno == ENOENT ? "no such file" : Reason(errno);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = "it is a directory";
        return false;
    }
    // Pipes and process substitutions have no size: read to the end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = Reason(errno);
        return false;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = Reason(errno);
            ::close(fd);
            return false;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}
