#include "midiclock.h"

#include "midi/messageclock.h"
#include "shared/drumoutput.h"

MidiClock::MidiClock(DrumOutput& output) : output_(output) {
    connect(&timer_, &DeadlineTimer::reached, this, &MidiClock::sendDueNow);
}

void MidiClock::start(Clock::time_point at) {
    if (running_) stop();
    running_ = true;
    pulses_.restart();
    send(kStart, at);
}

void MidiClock::step(Clock::time_point at, double periodMs, double stepsPerBeat) {
    if (!running_) return;
    sendDue(at);  // pulses of the step before that a busy thread has not sent yet
    for (double offset : pulses_.nextStep(periodMs, stepsPerBeat))
        pending_.push_back(at + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double, std::milli>(offset)));
    sendDue(at);
    armNext();
}

void MidiClock::stop() {
    if (!running_) return;
    sendDue(midi::MessageClock::now());
    timer_.stop();
    pending_.clear();
    running_ = false;
    output_.sendRealTime(kStop);
}

void MidiClock::send(int status, Clock::time_point at) {
    const midi::MessageClock::Stamp stamp(at);
    output_.sendRealTime(status);
}

void MidiClock::sendDue(Clock::time_point until) {
    while (!pending_.empty() && pending_.front() <= until) {
        send(kTimingClock, pending_.front());
        pending_.pop_front();
    }
}

void MidiClock::sendDueNow() {
    sendDue(Clock::now());
    armNext();
}

void MidiClock::armNext() {
    if (pending_.empty())
        timer_.stop();
    else
        timer_.start(pending_.front());
}
