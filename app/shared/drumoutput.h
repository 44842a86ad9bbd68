#pragma once

#include <chrono>

// Where playback sends its drum notes (channel 10, each note ended at once) and, when the user
// asks for it, its MIDI clock.
class DrumOutput {
public:
    // A cell's level times this is the velocity of its note.
    static constexpr int kVelocityPerLevel = 42;

    virtual ~DrumOutput() = default;
    // Sounds one drum note at a level 1..3; never fails (a failing device stays silent).
    virtual void PlayDrumNote(int note, int level) = 0;
    // Sends a one-byte system real-time message (clock, start, stop); never fails either. An
    // output that carries notes only ignores it.
    virtual void sendRealTime(int /*status*/) {}
    // Whether the output plays each message at the time it carries rather than as it comes,
    // so that playback may send the notes of a step ahead of it.
    virtual bool placesByTime() const { return false; }
    // Takes back the notes sent ahead that are due after `after` (playback stopped before
    // them); only an output that places by time holds any.
    virtual void withdraw(std::chrono::steady_clock::time_point /*after*/) {}
};
