#pragma once

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
};
