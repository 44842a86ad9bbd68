#include "stepgrid.h"

void StepGrid::start(Clock::time_point at, double periodMs) {
    start_ = at;
    base_ = 0;
    periodMs_ = periodMs;
}

void StepGrid::changePeriod(long long currentTick, double periodMs) {
    start_ = deadline(currentTick);
    base_ = currentTick;
    periodMs_ = periodMs;
}

StepGrid::Clock::time_point StepGrid::deadline(long long tick) const {
    using namespace std::chrono;
    return start_ + duration_cast<Clock::duration>(
                        duration<double, std::milli>(double(tick - base_) * periodMs_));
}
