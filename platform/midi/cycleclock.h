#pragma once

#include <chrono>
#include <cstdint>

namespace midi::detail {

// A JACK server's frames on the steady clock, for events placed ahead of their cycle. A
// delay-locked loop follows the times the cycles begin, so that how late the server's
// thread wakes for one cycle does not move the frames of the events placed in it.
class CycleClock {
public:
    using Clock = std::chrono::steady_clock;
    // How fast the loop follows the server's clock: it averages about 1 / kBandwidth
    // seconds of wake-ups.
    static constexpr double kBandwidth = 0.05;  // Hz
    // Starts off by more than half a cycle in a row before the loop starts over.
    static constexpr int kMostStray = 8;

    // At the start of every cycle: its first frame, its length and when it began. A cycle
    // that does not follow the last one (missed cycles, a new buffer size) starts over.
    void cycle(std::uint32_t frame, std::uint32_t frames, std::uint32_t rate,
               Clock::time_point now);
    // The frame at a time, from the last cycle on.
    std::uint32_t frameAt(Clock::time_point at) const;

private:
    void restart(std::uint32_t frames, std::uint32_t rate, double now);
    static double seconds(Clock::time_point at);

    bool running_ = false;
    std::uint32_t frame_ = 0;   // the current cycle's first frame
    std::uint32_t frames_ = 0;  // its length
    double start_ = 0;          // when it began, in seconds, as the loop has it
    double next_ = 0;           // when the next one will
    double period_ = 0;         // the loop's estimate of a cycle's length
    double b_ = 0, c_ = 0;      // the loop's coefficients
    int strayCycles_ = 0;
};

}  // namespace midi::detail
