#include "deadlinetimer.h"

namespace {
using namespace std::chrono;
constexpr auto kSpinWindow = microseconds(1500);
}  // namespace

DeadlineTimer::DeadlineTimer(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &DeadlineTimer::wake);
}

void DeadlineTimer::start(Clock::time_point due) {
    due_ = due;
    sleep();
}

void DeadlineTimer::sleep() {
    const auto remaining = duration_cast<milliseconds>(due_ - Clock::now() - kSpinWindow);
    timer_.start(int(std::max<long long>(0, remaining.count())));
}

void DeadlineTimer::wake() {
    if (due_ - Clock::now() > kSpinWindow) {  // woke early: sleep again
        sleep();
        return;
    }
    while (Clock::now() < due_) {
    }
    emit reached();
}
