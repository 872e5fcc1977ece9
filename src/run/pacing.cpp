#include "run/pacing.h"

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
    if (digits == 0 || digits == std::string::npos || digits > 12) return false;
    const std::string unit = token.substr(digits);
    if (unit != "s" && unit != "ms") return false;
    ms = std::stoll(token.substr(0, digits)) * (unit == "s" ? 1000 : 1);
    return true;
}
