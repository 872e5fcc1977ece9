#include "run/pacing.h"

#include <algorithm>
#include <limits>

void StepSchedule::Start(int64_t nowUs) {
    active = true;
    anchorUs = nowUs;
    rate = kSplashRate;
    count = 1;
}

void StepSchedule::Stepped(int64_t atUs, int64_t nextRate) {
    if (nextRate != rate) {
        anchorUs = atUs;
        rate = nextRate;
        count = 0;
    }
    ++count;
}

int64_t NextTickAfter(int64_t us) { return (us / kTickUs + 1) * kTickUs; }

bool ParseDuration(const std::string& token, int64_t& ms) {
    const std::size_t digits = token.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos) return false;
    const std::string unit = token.substr(digits);
    if (unit != "s" && unit != "ms") return false;
    // Too long for any run: saturate, so the check can say "too long".
    const std::size_t first = std::min(token.find_first_not_of('0'), digits);
    if (digits - first > 12) {
        ms = std::numeric_limits<int64_t>::max();
        return true;
    }
    ms = first == digits
             ? 0
             : std::stoll(token.substr(first, digits - first)) * (unit == "s" ? 1000 : 1);
    return true;
}
