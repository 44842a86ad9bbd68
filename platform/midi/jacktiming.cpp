#include "jacktiming.h"

#include <cmath>

namespace midi::detail {

JackTiming::Clock::duration JackTiming::latency(std::uint32_t bufferFrames, std::uint32_t rate) {
    if (rate == 0) return kMargin;
    const auto period = std::chrono::microseconds(qint64(bufferFrames) * 1000000 / rate + 1);
    return period + kMargin;
}

int JackTiming::offsetInCycle(std::uint32_t frame, std::uint32_t cycleStart, std::uint32_t frames) {
    const auto distance = std::int32_t(frame - cycleStart);
    if (distance < 0) return 0;
    return std::uint32_t(distance) < frames ? int(distance) : -1;
}

qint64 JackTiming::engineFrame(std::uint32_t frame, std::uint32_t cycleStart, qint64 streamFrames,
                               std::uint32_t rate, int engineRate) {
    if (rate == 0) return 0;
    const qint64 streamFrame = streamFrames + std::int32_t(frame - cycleStart);
    return std::llround(double(streamFrame) * engineRate / rate);
}

}  // namespace midi::detail
