#include "streamclock.h"

#include <algorithm>
#include <cmath>

namespace midi::detail {

namespace {

using namespace std::chrono;

// The loop's gains per request: after a running mean of the first 1 / kPhaseGain requests,
// the phase follows a hundredth of each error and the rate is critically damped against it.
constexpr double kPhaseGain = 0.01;
constexpr double kRateGain = kPhaseGain * kPhaseGain / 2;
constexpr int kSettled = int(1 / kPhaseGain);
// Once settled, errors are clipped to this before they correct anything, so a request
// delayed by a busy machine counts like a slightly late one.
constexpr double kClip = 0.001;

double seconds(StreamClock::Clock::duration d) {
    return duration<double>(d).count();
}

}  // namespace

StreamClock::StreamClock(double rate) : nominal_(1.0 / rate), secondsPerFrame_(nominal_) {}

void StreamClock::anchor(Clock::time_point now, qint64 end) {
    anchored_ = true;
    origin_ = now;
    time_ = 0;
    position_ = end;
    requests_ = 0;
}

void StreamClock::request(Clock::time_point now, qint64 end) {
    if (!anchored_) return anchor(now, end);
    const double expected = time_ + double(end - position_) * secondsPerFrame_;
    const double error = seconds(now - origin_) - expected;
    if (std::fabs(error) > seconds(kStall)) return anchor(now, end);
    const double frames = double(std::max<qint64>(1, end - position_));
    position_ = end;
    if (++requests_ < kSettled) {
        time_ = expected + error / (requests_ + 1);
        return;
    }
    const double clipped = std::clamp(error, -kClip, kClip);
    time_ = expected + kPhaseGain * clipped;
    secondsPerFrame_ += kRateGain * clipped / frames;
    // A device more than 1 % off its rate is not followed further.
    secondsPerFrame_ = std::clamp(secondsPerFrame_, nominal_ * 0.99, nominal_ * 1.01);
}

qint64 StreamClock::frameAt(Clock::time_point at) const {
    return position_ + qint64(std::llround((seconds(at - origin_) - time_) / secondsPerFrame_));
}

}  // namespace midi::detail
