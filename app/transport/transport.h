#pragma once

#include "shared/steptimer.h"
#include "song/songstepper.h"
#include "transport/midiclock.h"

#include <QObject>
#include <chrono>
#include <optional>

class DrumOutput;
class Pattern;
class RowMix;
struct Song;

// The one owner of the playback timer and the play state: stopped, the pattern in a loop,
// or the song. Each tick asks the pattern or the song for its next step and sends its
// notes. The pattern is read at every step, the song row by row as it begins, so edits
// made while playing are heard. Views follow through the signals. An output that plays
// messages at the time they carry gets each step kLead ahead (the views move with it), so
// a UI thread busy with other work for less than that does not make notes late.
class Transport : public QObject {
    Q_OBJECT

public:
    enum class State { Stopped, Pattern, Song };
    static constexpr std::chrono::milliseconds kLead{25};

    // The pattern and the song are the ones on screen (or loaded without a window) and must
    // outlive the transport.
    Transport(const Pattern& pattern, const Song& song, DrumOutput& output);

    // The rows that sound, read at every step; without one every row sounds. The mix must
    // outlive the transport.
    void setRowMix(const RowMix* mix) { mix_ = mix; }

    // Whether playback started from now on sends MIDI clock to the output beside the notes.
    void setClockEnabled(bool enabled) { clockEnabled_ = enabled; }
    bool isClockEnabled() const { return clockEnabled_; }

    StepTimer& timer() { return timer_; }
    DrumOutput& output() { return output_; }
    State state() const { return state_; }
    int position() const { return position_; }  // the step playing, 0 before the first
    int songRow() const;                        // the song row playing, 0 when none
    int loopsLeft() const;

    // Starts the pattern from its first step (taking the timer from the song).
    void playPattern();
    // Starts the song from its first row; a song with nothing to play stops.
    void playSong();
    void stop();
    // Playback stops at the first step due at or after `end` instead of playing it.
    void stopAt(StepTimer::Clock::time_point end) { end_ = end; }
    // One tick of the timer.
    void tick();

    // The song list moved rows under the playing song.
    void songRowRemoved(int row);
    void songRowInserted(int row);

    // The timer interval for a tempo and steps per beat, halves to even; none when the
    // values give no usable interval (tempo 0, no steps, out of the timer's range).
    static std::optional<int> stepInterval(double bpm, double subdivs);

signals:
    void stateChanged(Transport::State state);
    // The pattern plays this step (1..).
    void patternStepped(int step);
    void songRowStarted(int row);
    void songRowFinished(int row);
    // A pass of a song row ended with this many left.
    void passesLeftChanged(int row, int passes);

private:
    void setState(State state);
    void withdrawAhead();
    bool applyInterval(double bpm, double subdivs);
    void applyPatternInterval();
    void patternStep();
    void songStep();
    void play(const QList<StepNote>& notes);
    void startClock();
    QList<std::optional<int>> rowNotes() const;

    const Pattern& pattern_;
    const Song& song_;
    DrumOutput& output_;
    const RowMix* mix_ = nullptr;
    StepTimer timer_;
    MidiClock clock_;
    bool clockEnabled_ = false;
    double clockStepsPerBeat_ = 0;  // of the tempo the timer runs at
    State state_ = State::Stopped;
    std::optional<SongStepper> stepper_;
    std::optional<StepTimer::Clock::time_point> end_;
    int position_ = 0;
};
