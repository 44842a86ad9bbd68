#include "controllog.h"

#include <algorithm>

namespace midi::detail {

namespace {

// Controllers that select or set a registered or non-registered parameter.
bool isParameterController(int controller) {
    return controller == 6 || controller == 38 || (controller >= 96 && controller <= 101);
}

// What a message replaces: the status and, for a controller, its number; -1 when it
// replaces nothing and its order matters.
int slotOf(std::uint32_t message) {
    const int status = int(message & 0xFF);
    const int controller = int(message >> 8 & 0x7F);
    switch (status & 0xF0) {
        case 0xB0:
            return isParameterController(controller) ? -1 : status | controller << 8;
        case 0xC0:
        case 0xD0:
        case 0xE0:
            return status;
        default:
            return -1;
    }
}

}  // namespace

void ControlLog::add(const SynthEvent& event) {
    if (event.kind == SynthEvent::Kind::Long) return events_.push_back(event);
    if (event.kind != SynthEvent::Kind::Short) return;
    const int type = int(event.message & 0xF0);
    // Notes end with their engine; system common and real-time messages set no channel.
    if (type == 0x80 || type == 0x90 || type == 0xA0 || type == 0xF0) return;
    const int slot = slotOf(event.message);
    if (slot >= 0) {
        const auto same = std::find_if(events_.begin(), events_.end(), [slot](const SynthEvent& e) {
            return e.kind == SynthEvent::Kind::Short && slotOf(e.message) == slot;
        });
        if (same != events_.end()) events_.erase(same);
    }
    events_.push_back(event);
}

}  // namespace midi::detail
