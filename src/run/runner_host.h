// The window as the runner models it: no pixels, only what a script can set
// or check (lamp, communication pane, sliders and labels, check boxes).
#pragma once

#include <cstdint>
#include <string>

#include "core/host.h"

enum class Slider : uint8_t { Asi, Alt };

class RunnerHost : public Host {
public:
    // Program start, as the window is created.
    bool lampBright = true;
    uint64_t commLines = 0;
    int32_t asiSlider = 1;
    int32_t altSlider = 1;
    std::string asiLabel = "0";
    std::string altLabel = "0";
    bool calibrate = false;
    bool keyFast = false;
    bool viewVisible = true;

    // A slider dragged to `position`: its label and its channel follow. As in
    // the window, a slider left where it stands sends no change.
    void MoveSlider(Slider which, int32_t position);

    void AppendCommLine(const char* line) override;
    bool CalibrateTicked() override { return calibrate; }
    bool KeyFastTicked() override { return keyFast; }
    void SetLamp(bool bright) override { lampBright = bright; }
    void SetViewVisible(bool visible) override { viewVisible = visible; }
    // The frame stays in inst.frameBuffer; scripts read it from there.
    void PresentFrame() override {}
    // Script events run between steps, as if delivered in this pump.
    void PumpMessages() override {}
};
