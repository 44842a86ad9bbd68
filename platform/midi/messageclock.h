#pragma once

#include <chrono>

namespace midi {

// The time a message sent now carries. Normally the moment of sending; while a Stamp
// lives on the sending thread, the time it names (a playback tick's ideal deadline), so
// a tick handled a little late is still played at its place on the grid.
class MessageClock {
public:
    using Clock = std::chrono::steady_clock;

    static Clock::time_point now();

    // Stamps every message sent on this thread while it lives. Stamps nest.
    class Stamp {
    public:
        explicit Stamp(Clock::time_point at);
        ~Stamp();
        Stamp(const Stamp&) = delete;
        Stamp& operator=(const Stamp&) = delete;

    private:
        Clock::time_point previous_;
        bool hadPrevious_;
    };
};

}  // namespace midi
