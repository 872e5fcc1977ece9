#include "run/runner_host.h"

#include "core/sequence.h"

void RunnerHost::MoveSlider(Slider which, int32_t position) {
    int32_t& at = which == Slider::Asi ? asiSlider : altSlider;
    if (at == position) return;
    at = position;
    if (which == Slider::Asi) {
        asiLabel = std::to_string(position);
        TrackBar1Change(position);
    } else {
        altLabel = std::to_string(position);
        TrackBar2Change(position);
    }
}

// The pane's text is not kept: scripts check the count, and commLine itself.
void RunnerHost::AppendCommLine(const char*) { ++commLines; }
