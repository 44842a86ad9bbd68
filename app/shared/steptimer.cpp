#include "steptimer.h"

#include "midi/messageclock.h"

#include <cmath>

namespace {
using namespace std::chrono;
// The last stretch before a deadline is waited out on the spot: a system timer wakes a
// millisecond or so late, which would be heard as jitter.
constexpr auto kSpinWindow = microseconds(1500);
}  // namespace

StepTimer::StepTimer(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &StepTimer::wake);
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

void StepTimer::arm() {
    const auto remaining = deadline(k_ + 1) - Clock::now();
    const auto sleep = duration_cast<milliseconds>(remaining - kSpinWindow);
    timer_.start(int(std::max<long long>(0, sleep.count())));
}

void StepTimer::wake() {
    if (!enabled_) return;
    const auto due = deadline(k_ + 1);
    if (due - Clock::now() > kSpinWindow) {  // woke early: sleep again
        arm();
        return;
    }
    while (Clock::now() < due) {
    }
    const auto late = Clock::now() - due;
    const long long missed =
        (long long)std::floor(duration<double, std::milli>(late).count() / periodMs_);
    skipped_ += missed;
    k_ += 1 + missed;
    {
        const midi::MessageClock::Stamp stamp(currentDeadline());
        emit timeout();
    }
    if (enabled_) arm();
}
