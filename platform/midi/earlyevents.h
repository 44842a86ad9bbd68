#pragma once

#include "synthevent.h"

#include <chrono>
#include <cstddef>
#include <vector>

namespace midi::detail {

// What a device sends while the engine behind it is still starting: kept in the order sent
// and handed over once the engine is ready, each due no earlier than that moment, so a note
// sent while the sound font loads is heard as soon as it can be instead of being late or
// lost. Beyond kMost events the oldest go, so an engine that never gets ready holds little.
class EarlyEvents {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kMost = 4096;

    struct Timed {
        Clock::time_point at;
        SynthEvent event;
    };

    void keep(Clock::time_point at, const SynthEvent& event);
    // Every event kept, in the order sent, due at its own time or at ready if that is later;
    // nothing is kept afterwards.
    std::vector<Timed> release(Clock::time_point ready);
    // The engine did not start: what was kept is dropped.
    void clear() { events_.clear(); }
    // Drops the events stamped after `after` (taken back by the sender).
    void withdraw(Clock::time_point after);

private:
    std::vector<Timed> events_;
};

}  // namespace midi::detail
