#include "earlyevents.h"

#include <algorithm>
#include <utility>

namespace midi::detail {

void EarlyEvents::keep(Clock::time_point at, const SynthEvent& event) {
    if (events_.size() >= kMost) events_.erase(events_.begin());
    events_.push_back({at, event});
}

std::vector<EarlyEvents::Timed> EarlyEvents::release(Clock::time_point ready) {
    std::vector<Timed> released = std::exchange(events_, {});
    for (Timed& timed : released) timed.at = std::max(timed.at, ready);
    return released;
}

void EarlyEvents::withdraw(Clock::time_point after) {
    std::erase_if(events_, [after](const Timed& timed) { return timed.at > after; });
}

}  // namespace midi::detail
