#pragma once

#include <QString>
#include <optional>

class Form1;

// Plays the pattern on the screen in an endless loop, one column per timer tick, and
// sounds single drum notes for everyone who needs one.
class PatternPlayback {
public:
    explicit PatternPlayback(Form1& form) : form_(form) {}

    // The Play button was clicked: start or stop pattern playback.
    void BtnPlay_Click();
    // One tick of the playback timer.
    void tmrPlay_Timer();
    // Sounds one drum note on channel 10 and ends it at once; never fails.
    void PlayDrumNote(int note, int level);

    // The timer interval for a tempo and steps per beat, halves to even; none when the
    // values give no usable interval (tempo 0, no steps, out of the timer's range).
    static std::optional<int> stepInterval(double bpm, double subdivs);
    // The MIDI note of an instrument row's tag; none for a tag that is not 0..255.
    static std::optional<int> noteOf(const QString& tag);

private:
    void applyInterval();
    void patternStep();
    void playColumn(int column);

    Form1& form_;
};
