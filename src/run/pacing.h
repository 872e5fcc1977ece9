// The runner's simulated clock: when `run` delivers timer ticks and steps.
// Times are whole microseconds since program start, so every schedule is
// exact integer arithmetic.
#pragma once

#include <cstdint>
#include <string>

constexpr int64_t kTickUs = 100000;   // the window's 100 ms timer
constexpr int64_t kSplashRate = 25;   // splash frames a second
constexpr int64_t kDefaultPace = 10;  // main-loop passes a second
constexpr int64_t kMaxPace = 1000;
constexpr int64_t kMaxRunMs = 86400000;  // one day

// Steps fall at `rate` a second counted from an anchor: the k-th at
// anchor + k s / rate, rounded down to the microsecond, so that no rounding
// error builds up (at 3 a second every third step lands on a whole second).
struct StepSchedule {
    bool active = false;
    int64_t anchorUs = 0;
    int64_t rate = kSplashRate;
    int64_t count = 0;

    int64_t NextUs() const { return anchorUs + count * 1000000 / rate; }
    // ON at nowUs: the first splash frame follows one splash interval later.
    void Start(int64_t nowUs);
    // A step was made at atUs; the next one follows at `nextRate` a second.
    void Stepped(int64_t atUs, int64_t nextRate);
};

// The first timer tick after `us`: ticks fall on every multiple of 100 ms.
int64_t NextTickAfter(int64_t us);

// "65s" or "1500ms" in milliseconds; false for any other form. One far too
// long for any run gives INT64_MAX.
bool ParseDuration(const std::string& token, int64_t& ms);
