// Runs scripts given as text through the runner library, capturing what it
// prints, for the runner's unit tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "run/cli.h"
#include "run/frame_io.h"
#include "run/script.h"

struct RunResult {
    int status;
    std::string out;
    std::string err;
};

// Scripts named t1.qtr, t2.qtr, ... in `dir`, run in one program.
inline RunResult RunTexts(const std::vector<std::string>& texts, const std::string& dir = "",
                          RunOptions options = {}) {
    options.quiet = true;
    std::vector<ScriptSource> scripts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        scripts.push_back({"t" + std::to_string(i + 1) + ".qtr", dir, texts[i]});
    std::ostringstream out, err;
    const int status = RunScripts(scripts, options, out, err);
    return {status, out.str(), err.str()};
}

inline RunResult RunText(const std::string& text, const std::string& dir = "",
                         RunOptions options = {}) {
    return RunTexts({text}, dir, options);
}

// The whole qtr5-run program with these arguments (after its name).
inline RunResult Main(std::vector<const char*> args, const std::string& input = "") {
    args.insert(args.begin(), "qtr5-run");
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunnerMain(static_cast<int>(args.size()), args.data(), in, out, err);
    return {status, out.str(), err.str()};
}

inline std::string Read(const std::string& path) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path, bytes, error)) << path << ": " << error;
    return bytes;
}

inline void Write(const std::string& path, const std::string& bytes) {
    std::string error;
    ASSERT_TRUE(WriteWholeFile(path, bytes, true, error)) << error;
}

// A fresh directory for one test's files, removed afterwards.
class ScratchDir {
public:
    ScratchDir() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("qtr5-" + std::string(test->name()) + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    std::string str() const { return path_.string(); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
