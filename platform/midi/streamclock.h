#pragma once

#include <QtGlobal>
#include <chrono>

namespace midi::detail {

// Maps the steady clock onto the frames of an audio stream that asks for frames as its
// device plays them. Each request says that the frames up to a position were asked for at
// a time; the requests come late by a varying amount (scheduling, the device's blocks),
// and the device's clock runs a little fast or slow against the steady clock. A running
// mean of the first requests anchors the mapping, then small steps follow the requests,
// so single late requests hardly move it and a device off its rate is followed smoothly,
// without the saw-tooth of occasional re-anchoring.
//
// A device may start playing long after it was asked to (a new stream, a sink waking from
// idle or suspension, a stream resumed after a pause). The events due before it played are
// placed from its real start: the earliest one on the first frame the device plays, every
// later one at its own distance from it, so none is lost and their rhythm stays exact.
class StreamClock {
public:
    using Clock = std::chrono::steady_clock;
    // A request this far off the mapping means the stream stopped and went on (an underrun,
    // a suspended device): the mapping starts anew from that request.
    static constexpr Clock::duration kStall = std::chrono::milliseconds(20);

    explicit StreamClock(double rate);

    // The frames before end were asked for at now.
    void request(Clock::time_point now, qint64 end);
    // The device stopped playing the stream: the mapping waits for its next request, and
    // the events due meanwhile are placed from the device's next start.
    void pause();
    bool isAnchored() const { return anchored_; }
    // The frame asked for at the given time; only when anchored.
    qint64 frameAt(Clock::time_point at) const;
    // The frame of an event due at the given time, placed right after the request that
    // anchored the mapping or later; first is the first frame still to be rendered. Only
    // when anchored.
    qint64 frameFor(Clock::time_point due, qint64 first);
    // How far events are placed behind their time because the device started late.
    qint64 startDelayFrames() const { return startDelay_; }

private:
    void anchor(Clock::time_point now, qint64 end);

    double secondsPerFrame_;
    bool anchored_ = false;
    bool starting_ = false;     // from a start of the device until its next request
    qint64 startDelay_ = 0;     // frames, from the device's last start until its next pause
    Clock::time_point origin_;  // the time of the anchoring request
    double time_ = 0;           // seconds from origin_ at which position_ was asked for
    qint64 position_ = 0;
    int requests_ = 0;  // since the anchor
};

}  // namespace midi::detail
