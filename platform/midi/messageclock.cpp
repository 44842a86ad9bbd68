#include "messageclock.h"

namespace midi {

namespace {
thread_local bool stamped = false;
thread_local MessageClock::Clock::time_point stampedAt;
}  // namespace

MessageClock::Clock::time_point MessageClock::now() {
    return stamped ? stampedAt : Clock::now();
}

MessageClock::Stamp::Stamp(Clock::time_point at) : previous_(stampedAt), hadPrevious_(stamped) {
    stamped = true;
    stampedAt = at;
}

MessageClock::Stamp::~Stamp() {
    stamped = hadPrevious_;
    stampedAt = previous_;
}

}  // namespace midi
