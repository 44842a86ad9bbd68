#pragma once

#include <QList>
#include <QObject>
#include <optional>

class Form1;

// Plays the pattern on the screen in an endless loop, one column per timer tick, and
// sounds single drum notes for everyone who needs one.
class PatternPlayback : public QObject {
    Q_OBJECT

public:
    // A cell's level times this is the velocity of its note.
    static constexpr int kVelocityPerLevel = 42;

    // Connects the Play button and the playback timer.
    explicit PatternPlayback(Form1& form);

    // Start-up: the MIDI output is made and goes to device 8, which lands on the last device
    // when fewer exist (the built-in synthesizer).
    void selectStartDevice();

    // The Play button was clicked: start or stop pattern playback.
    void BtnPlay_Click();
    // One tick of the playback timer.
    void tmrPlay_Timer();
    // The interval of the tempo and steps per beat on screen; kept when they give none.
    void applyScreenInterval();
    // Sounds one drum note on channel 10 and ends it at once; never fails.
    void PlayDrumNote(int note, int level);

    // The note of every instrument row as its label's tag names it now.
    static QList<std::optional<int>> rowNotes(const Form1& form);
    // The number of step columns that play: the step count, within the columns built.
    static int playableColumns(const Form1& form);

    // The timer interval for a tempo and steps per beat, halves to even; none when the
    // values give no usable interval (tempo 0, no steps, out of the timer's range).
    static std::optional<int> stepInterval(double bpm, double subdivs);

private:
    void patternStep();
    void playColumn(int column);

    void createMidiOutput();

    Form1& form_;
};
