#pragma once

#include "shared/deadlinetimer.h"
#include "transport/clockpulses.h"

#include <QObject>
#include <chrono>
#include <deque>

class DrumOutput;

// MIDI clock out beside the drum notes: Start when playback starts, 24 Timing Clock pulses
// per quarter note on the step grid, Stop when it stops. Every message carries its own ideal
// time, so outputs that place messages by their time put each exactly; the pulses between
// steps go out when due, so outputs that play messages as they come get them in time too.
class MidiClock : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;

    static constexpr int kTimingClock = 0xF8;
    static constexpr int kStart = 0xFA;
    static constexpr int kStop = 0xFC;

    // The output must outlive the clock.
    explicit MidiClock(DrumOutput& output);

    bool isRunning() const { return running_; }
    // Start at the first step's time; started again while running, it stops first.
    void start(Clock::time_point at);
    // The next step begins a new run of pulses (a song row with its own tempo).
    void restartRun() { pulses_.restart(); }
    // The step due at `at` plays: its pulse on the step goes out now, the later ones when due.
    void step(Clock::time_point at, double periodMs, double stepsPerBeat);
    // Stop, after the pulses due before it; stamped with the time MessageClock gives.
    void stop();

private:
    void send(int status, Clock::time_point at);
    void sendDue(Clock::time_point until);
    void sendDueNow();
    void armNext();

    DrumOutput& output_;
    ClockPulses pulses_;
    DeadlineTimer timer_;
    std::deque<Clock::time_point> pending_;  // pulses of the step playing, not sent yet
    bool running_ = false;
};
