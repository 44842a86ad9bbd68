#include "steptimer.h"

#include "midi/messageclock.h"

#include <algorithm>
#include <cmath>

StepTimer::StepTimer(QObject* parent) : QObject(parent) {
    connect(&timer_, &DeadlineTimer::reached, this, &StepTimer::wake);
}

void StepTimer::setInterval(int milliseconds, double exactPeriodMs) {
    interval_ = milliseconds;
    if (enabled_ && exactPeriodMs > 0 && exactPeriodMs != periodMs_) {
        grid_.changePeriod(k_, exactPeriodMs);
        periodMs_ = exactPeriodMs;
        arm();
        return;
    }
    periodMs_ = exactPeriodMs;
}

void StepTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    timer_.stop();
    if (!enabled || !(periodMs_ > 0)) return;
    grid_.start(Clock::now(), periodMs_);
    k_ = 0;
    skipped_ = 0;
    arm();
}

StepTimer::Clock::duration StepTimer::lead() const {
    const auto half = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double, std::milli>(periodMs_ / 2));
    return std::min(lead_, half);
}

void StepTimer::arm() {
    timer_.start(deadline(k_ + 1) - lead());
}

void StepTimer::wake() {
    if (!enabled_) return;
    const auto due = deadline(k_ + 1) - lead();
    const auto late = Clock::now() - due;
    const long long missed =
        (long long)std::floor(std::chrono::duration<double, std::milli>(late).count() / periodMs_);
    skipped_ += missed;
    k_ += 1 + missed;
    {
        const midi::MessageClock::Stamp stamp(currentDeadline());
        emit timeout();
    }
    if (enabled_) arm();
}
