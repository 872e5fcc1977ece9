// A host that records what the instrument asked of it, for tests that check
// the order of work within a step.
#pragma once

#include <string>
#include <vector>

#include "core/host.h"
#include "core/sequence.h"
#include "core/state.h"

class FakeHost : public Host {
public:
    std::vector<std::string> trace;
    std::vector<std::string> commLines;
    bool calibrate = false;
    bool keyFast = false;
    bool lamp = true;
    bool viewVisible = true;
    int presents = 0;
    int pumps = 0;
    bool recordTrace = false;

    void AppendCommLine(const char* line) override {
        commLines.emplace_back(line);
        Note("comm");
    }
    bool CalibrateTicked() override {
        Note("calibrate");
        return calibrate;
    }
    bool KeyFastTicked() override {
        Note("keyfast");
        return keyFast;
    }
    void SetLamp(bool bright) override {
        lamp = bright;
        Note(bright ? "lamp bright" : "lamp dark");
    }
    void SetViewVisible(bool visible) override {
        viewVisible = visible;
        Note(visible ? "show" : "hide");
    }
    void PresentFrame() override {
        ++presents;
        Note("present");
    }
    void PumpMessages() override {
        ++pumps;
        Note("pump");
    }

private:
    void Note(const char* what) {
        if (recordTrace) trace.emplace_back(what);
    }
};

// Program start with a fresh fake host.
class InstrumentTest : public ::testing::Test {
protected:
    FakeHost host;
    void SetUp() override {
        ResetProgram();
        SetHost(&host);
    }
    void TearDown() override { SetHost(nullptr); }

    // ON, then every splash frame; the instrument stops before its first pass.
    void PowerOnThroughSplash() {
        Button1Click();
        for (int i = 0; i < 80; ++i) InstrumentStep();
    }
};
