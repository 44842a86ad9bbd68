#pragma once

#include <QtGlobal>
#include <chrono>
#include <cstdint>

namespace midi::detail {

// How events stamped on the steady clock find their frame in a JACK cycle. An event is
// heard at its time plus latency(): one period, so that the cycle holding its frame has not
// begun when a tick sends it on time, plus room for a tick handled late on a busy thread.
class JackTiming {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kMargin = std::chrono::milliseconds(20);

    static Clock::duration latency(std::uint32_t bufferFrames, std::uint32_t rate);
    // Where a frame falls in the cycle starting at cycleStart with the given length: its
    // offset, 0 for a frame already past, or -1 for a frame of a later cycle. Frame numbers
    // wrap around, as JACK's do.
    static int offsetInCycle(std::uint32_t frame, std::uint32_t cycleStart, std::uint32_t frames);
    // The renderer frame at engineRate of a JACK frame, for a stream whose frame
    // streamFrames comes first in the cycle starting at cycleStart.
    static qint64 engineFrame(std::uint32_t frame, std::uint32_t cycleStart, qint64 streamFrames,
                              std::uint32_t rate, int engineRate);
};

}  // namespace midi::detail
