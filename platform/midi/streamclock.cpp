#include "streamclock.h"

#include <algorithm>
#include <cmath>

namespace midi::detail {

namespace {

using namespace std::chrono;

// After a running mean of the first 1 / kGain requests, the mapping follows a hundredth of
// each error: a device 0.1 % off its rate lags behind by a constant 0.3 ms at 3 ms a
// request, which is latency, not jitter.
constexpr double kGain = 0.01;
constexpr int kSettled = int(1 / kGain);
// Once settled, errors are clipped to this before they correct anything, so a request
// delayed by a busy machine counts like a slightly late one.
constexpr double kClip = 0.001;

double seconds(StreamClock::Clock::duration d) {
    return duration<double>(d).count();
}

}  // namespace

StreamClock::StreamClock(double rate) : secondsPerFrame_(1.0 / rate) {}

void StreamClock::anchor(Clock::time_point now, qint64 end) {
    anchored_ = true;
    origin_ = now;
    time_ = 0;
    position_ = end;
    requests_ = 0;
}

void StreamClock::request(Clock::time_point now, qint64 end) {
    starting_ = !anchored_;
    if (!anchored_) return anchor(now, end);
    const double expected = time_ + double(end - position_) * secondsPerFrame_;
    const double error = seconds(now - origin_) - expected;
    if (std::fabs(error) > seconds(kStall)) return anchor(now, end);
    position_ = end;
    if (++requests_ < kSettled)
        time_ = expected + error / (requests_ + 1);
    else
        time_ = expected + kGain * std::clamp(error, -kClip, kClip);
}

void StreamClock::pause() {
    anchored_ = false;
    starting_ = false;
    startDelay_ = 0;
}

qint64 StreamClock::frameFor(Clock::time_point due, qint64 first) {
    const qint64 frame = frameAt(due) + startDelay_;
    if (starting_ && frame < first) {
        startDelay_ += first - frame;
        return first;
    }
    return frame;
}

qint64 StreamClock::frameAt(Clock::time_point at) const {
    return position_ + qint64(std::llround((seconds(at - origin_) - time_) / secondsPerFrame_));
}

}  // namespace midi::detail
