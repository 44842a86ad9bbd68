#pragma once

#include <chrono>

namespace midi::detail {

// When the synthesizer's stream may pause: once nothing has sounded or been sent for
// kQuietFor, the stream stops asking for frames and nothing is rendered, until the next
// event wakes it.
class StreamIdle {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kQuietFor = std::chrono::seconds(3);
    enum class Action { None, Pause, Resume };

    // An event was sent at now: a paused stream resumes.
    Action sent(Clock::time_point now);
    // Frames were rendered at now; sounding when they were not silent or events wait.
    Action rendered(Clock::time_point now, bool sounding);
    bool isPaused() const { return paused_; }

private:
    bool paused_ = false;
    bool heard_ = false;  // lastHeard_ holds a time
    Clock::time_point lastHeard_;
};

}  // namespace midi::detail
