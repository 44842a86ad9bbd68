#include "streamclock.h"

#include <algorithm>
#include <cmath>

namespace midi::detail {

namespace {

using namespace std::chrono;

// The first 1 / kGain requests give the mapping by least squares: where the device is
// and how fast its clock runs. From then on the rate stays and the mapping follows a
// hundredth of each error, so a device that drifts further lags behind by a small constant,
// which is latency, not jitter.
constexpr double kGain = 0.01;
constexpr int kSettled = int(1 / kGain);
// Device clocks run within a few hundred parts per million of their rate; the bound keeps
// the noise of the first few requests from tilting the mapping.
constexpr double kMostOffRate = 0.002;
// Once settled, errors are clipped to this before they correct anything, so a request
// delayed by a busy machine counts like a slightly late one.
constexpr double kClip = 0.001;

double seconds(StreamClock::Clock::duration d) {
    return duration<double>(d).count();
}

}  // namespace

StreamClock::StreamClock(double rate) : nominal_(1.0 / rate), secondsPerFrame_(1.0 / rate) {}

void StreamClock::anchor(Clock::time_point now, qint64 end) {
    anchored_ = true;
    origin_ = now;
    time_ = 0;
    position_ = end;
    anchorEnd_ = end;
    secondsPerFrame_ = nominal_;
    fit_ = {};
    startEvent_.reset();
    requests_ = 0;
    strays_ = 0;
}

void StreamClock::Fit::add(double x, double y) {
    ++n;
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
}

// The least-squares line through the requests so far, its slope bounded. The anchoring
// request is not one of them: a device that has just started takes in its whole buffer at
// once, and its first request may be milliseconds off the line of the others.
void StreamClock::settle(double x, double y) {
    fit_.add(x, y);
    const double spread = fit_.n * fit_.sxx - fit_.sx * fit_.sx;
    if (!(spread > 0)) {
        time_ = y;
        return keepStartEvent();
    }
    const double slope = (fit_.n * fit_.sxy - fit_.sx * fit_.sy) / spread;
    secondsPerFrame_ =
        std::clamp(slope, nominal_ * (1 - kMostOffRate), nominal_ * (1 + kMostOffRate));
    time_ = (fit_.sy - secondsPerFrame_ * fit_.sx) / fit_.n + secondsPerFrame_ * x;
    keepStartEvent();
}

// The first requests after a device starts come unevenly (it takes in the whole buffer at
// once), so the settling line moves by milliseconds against the anchoring request. The
// events already placed from the device's start keep their frames, and the later ones
// their distance from them: the start delay moves with the line.
void StreamClock::keepStartEvent() {
    if (!startEvent_) return;
    const auto [frame, due] = *startEvent_;
    startDelay_ = std::max(0.0, double(frame - position_) * secondsPerFrame_ + time_ - due);
}

void StreamClock::request(Clock::time_point now, qint64 end) {
    if (anchored_ && end <= position_) return;
    starting_ = !anchored_;
    if (!anchored_) return anchor(now, end);
    const double expected = time_ + double(end - position_) * secondsPerFrame_;
    const double error = seconds(now - origin_) - expected;
    if (std::fabs(error) > seconds(kStall)) {
        if (++strays_ >= kMostStrays) anchor(now, end);
        return;
    }
    strays_ = 0;
    position_ = end;
    if (++requests_ < kSettled)
        settle(double(end - anchorEnd_), seconds(now - origin_));
    else
        time_ = expected + kGain * std::clamp(error, -kClip, kClip);
}

void StreamClock::pause() {
    anchored_ = false;
    starting_ = false;
    startDelay_ = 0;
    startEvent_.reset();
}

std::optional<qint64> StreamClock::frameFor(Clock::time_point due, qint64 first) {
    const qint64 frame =
        frameAt(due + duration_cast<Clock::duration>(duration<double>(startDelay_)));
    if (starting_ && frame < first) {
        startDelay_ += double(first - frame) * secondsPerFrame_;
        if (!startEvent_) startEvent_ = {first, seconds(due - origin_)};
        return first;
    }
    if (frame - first > qint64(std::llround(seconds(kAhead) / secondsPerFrame_)))
        return std::nullopt;
    return frame;
}

qint64 StreamClock::startDelayFrames() const {
    return qint64(std::llround(startDelay_ / secondsPerFrame_));
}

qint64 StreamClock::frameAt(Clock::time_point at) const {
    return position_ + qint64(std::llround((seconds(at - origin_) - time_) / secondsPerFrame_));
}

}  // namespace midi::detail
