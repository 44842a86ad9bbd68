#pragma once

#include "synthevent.h"

#include <cstdint>
#include <vector>

namespace midi::detail {

// The events that set the state of the synthesizer's channels (controllers, programs,
// pitch bend, system exclusive), kept so that an engine made later starts where the others
// are. An event that replaces an earlier one's value (the same controller, a program) takes
// its place; those whose meaning depends on what came before (data entry and its parameter
// numbers, system exclusive) are kept in order.
class ControlLog {
public:
    // A complete short message or a system exclusive block; notes are not kept.
    void add(const SynthEvent& event);
    void clear() { events_.clear(); }
    const std::vector<SynthEvent>& events() const { return events_; }

private:
    std::vector<SynthEvent> events_;
};

}  // namespace midi::detail
