// How often the window runs instrument steps: the pace offered in the status
// bar and the interval from one step to the next.
#pragma once

#include <array>

#include "core/sequence.h"

// Main-loop passes per second; 0 runs unpaced.
inline constexpr std::array<int, 7> kPaces = {1, 2, 5, 10, 20, 50, 0};
inline constexpr int kDefaultPace = 10;
// 25 splash frames a second whatever the pace, unless unpaced.
inline constexpr int kSplashIntervalMs = 40;

// Milliseconds until the next step, chosen from the power state the last step left.
constexpr int StepIntervalMs(Power power, int pace) {
    if (pace == 0) return 0;
    return power == Power::Splash ? kSplashIntervalMs : 1000 / pace;
}
