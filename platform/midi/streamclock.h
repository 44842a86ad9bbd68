#pragma once

#include <QtGlobal>
#include <chrono>
#include <optional>
#include <utility>

namespace midi::detail {

// Maps the steady clock onto the frames of an audio stream that asks for frames as its
// device plays them. Each request says that the frames up to a position were asked for at
// a time; the requests come late by a varying amount (scheduling, the device's blocks),
// and the device's clock runs a little fast or slow against the steady clock. A line fitted
// to the first requests gives the device's position and rate, then small steps follow the
// requests, so single late requests hardly move it and a device drifting further is
// followed smoothly, without the saw-tooth of occasional re-anchoring. A request far off the
// mapping is left out; only several in a row mean that the stream stopped and went on (an underrun,
// a suspended device), and the mapping starts anew.
//
// A device may start playing long after it was asked to (a new stream, a sink waking from
// idle or suspension, a stream resumed after a pause). The events due before it played are
// heard from its real start: all of them, and every later one, move back by the time the
// earliest one missed, so none is lost and their rhythm stays exact.
class StreamClock {
public:
    using Clock = std::chrono::steady_clock;
    // A request this far off the mapping is a stray.
    static constexpr Clock::duration kStall = std::chrono::milliseconds(20);
    // Strays in a row after which the mapping starts anew from the last one.
    static constexpr int kMostStrays = 4;
    // How far beyond the first frame still to be rendered an event is placed.
    static constexpr Clock::duration kAhead = std::chrono::milliseconds(20);

    explicit StreamClock(double rate);

    // The frames before end were asked for at now. A request that asks for nothing new
    // (end not past the last one) is left out.
    void request(Clock::time_point now, qint64 end);
    // The device stopped playing the stream: the mapping waits for its next request, and
    // the events due meanwhile are heard from the device's next start.
    void pause();
    bool isAnchored() const { return anchored_; }
    // The frame asked for at the given time; only when anchored.
    qint64 frameAt(Clock::time_point at) const;
    // The frame of an event due at the given time, moved back by the device's late start;
    // first is the first frame still to be rendered. Right after the request that anchored
    // the mapping, an event whose frame has passed moves every event back to first. Nothing
    // for an event more than kAhead beyond first: a later request places it, from the
    // mapping as it follows the device by then (the events held while a device started
    // keep the device's rate, not the nominal one). Only when anchored.
    std::optional<qint64> frameFor(Clock::time_point due, qint64 first);
    // How far events are moved back because the device started late, in frames.
    qint64 startDelayFrames() const;

private:
    // Sums for the least-squares line of the request times over their frames.
    struct Fit {
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        void add(double x, double y);
    };

    void anchor(Clock::time_point now, qint64 end);
    // A request before the mapping settled, x frames and y seconds after the anchoring one.
    void settle(double x, double y);
    // The start delay that keeps the first event moved back at its frame on the mapping.
    void keepStartEvent();

    double nominal_;          // seconds per frame at the stream's rate
    double secondsPerFrame_;  // the device's, as the first requests show it
    bool anchored_ = false;
    bool starting_ = false;  // from a start of the device until its next request
    double startDelay_ = 0;  // seconds, from the device's last start until its next pause
    // The first event moved back since the anchoring request: its frame, and its due time in
    // seconds from origin_. While the mapping settles, the later events keep their distance
    // from it.
    std::optional<std::pair<qint64, double>> startEvent_;
    Clock::time_point origin_;  // the time of the anchoring request
    double time_ = 0;           // seconds from origin_ at which position_ was asked for
    qint64 position_ = 0;
    qint64 anchorEnd_ = 0;  // the frame of the anchoring request
    Fit fit_;
    int requests_ = 0;  // since the anchor
    int strays_ = 0;    // in a row
};

}  // namespace midi::detail
