#include "streamidle.h"

namespace midi::detail {

StreamIdle::Action StreamIdle::sent(Clock::time_point now) {
    heard_ = true;
    lastHeard_ = now;
    if (!paused_) return Action::None;
    paused_ = false;
    return Action::Resume;
}

StreamIdle::Action StreamIdle::rendered(Clock::time_point now, bool sounding) {
    if (paused_) return Action::None;
    if (sounding || !heard_) {
        heard_ = true;
        lastHeard_ = now;
        return Action::None;
    }
    if (now - lastHeard_ < kQuietFor) return Action::None;
    paused_ = true;
    return Action::Pause;
}

}  // namespace midi::detail
