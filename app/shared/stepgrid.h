#pragma once

#include <chrono>

// The ideal times of a run of ticks: tick k falls at start + (k - base) x period, with the
// exact period, so rounding never accumulates. A new period takes effect from the tick
// being handled: the next tick falls one new period after it.
class StepGrid {
public:
    using Clock = std::chrono::steady_clock;

    void start(Clock::time_point at, double periodMs);
    void changePeriod(long long currentTick, double periodMs);
    Clock::time_point deadline(long long tick) const;
    double period() const { return periodMs_; }

private:
    Clock::time_point start_{};
    long long base_ = 0;
    double periodMs_ = 0;
};
