#include "cycleclock.h"

#include <cmath>
#include <numbers>

namespace midi::detail {

double CycleClock::seconds(Clock::time_point at) {
    return std::chrono::duration<double>(at.time_since_epoch()).count();
}

void CycleClock::restart(std::uint32_t frames, std::uint32_t rate, double now) {
    period_ = double(frames) / rate;
    start_ = now;
    next_ = now + period_;
    const double omega = 2 * std::numbers::pi * kBandwidth * period_;
    b_ = std::sqrt(2.0) * omega;
    c_ = omega * omega;
    strayCycles_ = 0;
    running_ = true;
}

void CycleClock::cycle(std::uint32_t frame, std::uint32_t frames, std::uint32_t rate,
                       Clock::time_point now) {
    const double t = seconds(now);
    const bool follows = running_ && frames == frames_ && frame == frame_ + frames_;
    const double error = t - next_;
    frame_ = frame;
    frames_ = frames;
    if (rate == 0 || frames == 0) {
        running_ = false;
        return;
    }
    if (!follows) return restart(frames, rate, t);
    start_ = next_;
    // A start off by more than half a cycle is no jitter: it is left out, and the loop
    // starts over when it goes on.
    if (std::fabs(error) > period_ / 2) {
        next_ += period_;
        if (++strayCycles_ >= kMostStray) restart(frames, rate, t);
        return;
    }
    strayCycles_ = 0;
    next_ += b_ * error + period_;
    period_ += c_ * error;
}

std::uint32_t CycleClock::frameAt(Clock::time_point at) const {
    if (!running_ || !(period_ > 0)) return frame_;
    const double cycles = (seconds(at) - start_) / period_;
    return frame_ + std::uint32_t(std::int64_t(std::llround(cycles * frames_)));
}

}  // namespace midi::detail
