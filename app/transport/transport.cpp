#include "transport.h"

#include "midi/messageclock.h"
#include "pattern/pattern.h"
#include "pattern/rowmix.h"
#include "shared/drumoutput.h"
#include "song/song.h"

#include <cmath>

namespace {
constexpr int kMaxTimerInterval = 65535;
}

Transport::Transport(const Pattern& pattern, const Song& song, DrumOutput& output)
    : pattern_(pattern), song_(song), output_(output), clock_(output) {
    connect(&timer_, &StepTimer::timeout, this, &Transport::tick);
    applyPatternInterval();  // the interval of the start-up pattern, kept while its tempo is 0
}

std::optional<int> Transport::stepInterval(double bpm, double subdivs) {
    const double interval = (1000 / subdivs) / (bpm / 60);
    if (!std::isfinite(interval)) return std::nullopt;
    const double whole = std::nearbyint(interval);  // the default rounding: halves to even
    if (whole < 1 || whole > kMaxTimerInterval) return std::nullopt;
    return int(whole);
}

int Transport::songRow() const {
    const bool playing = state_ == State::Song && stepper_ && stepper_->current();
    return playing ? stepper_->current()->row : 0;
}

int Transport::loopsLeft() const {
    return stepper_ ? stepper_->passesLeft() : 0;
}

// When tempo and steps per beat give no interval, the timer keeps the one it has.
bool Transport::applyInterval(double bpm, double subdivs) {
    const auto interval = stepInterval(bpm, subdivs);
    if (!interval) return false;
    timer_.setInterval(*interval, 60000.0 / (bpm * subdivs));
    clockStepsPerBeat_ = subdivs;
    return true;
}

void Transport::applyPatternInterval() {
    applyInterval(pattern_.number(Pattern::Bpm), pattern_.number(Pattern::SubDivs));
}

void Transport::setState(State state) {
    timer_.setLead(output_.placesByTime() ? kLead : StepTimer::Clock::duration{});
    timer_.setEnabled(state != State::Stopped);
    if (state == state_) return;
    state_ = state;
    emit stateChanged(state);
}

// Notes sent ahead for a step that has not come yet are not heard once playback stops or
// starts anew.
void Transport::withdrawAhead() {
    if (timer_.isEnabled() && timer_.lead() > StepTimer::Clock::duration{})
        output_.withdraw(midi::MessageClock::now());
}

void Transport::playPattern() {
    withdrawAhead();
    applyPatternInterval();
    position_ = 0;
    stepper_.reset();
    setState(State::Pattern);
    startClock();
    tick();
}

void Transport::playSong() {
    withdrawAhead();
    stepper_.emplace(song_, pattern_.number(Pattern::Bpm));
    position_ = 0;
    if (stepper_->isEmpty()) return stop();
    const ScheduledRow& first = *stepper_->current();
    if (!applyInterval(first.tempo, first.stepsPerBeat))
        applyPatternInterval();  // so the song never stands still
    setState(State::Song);
    startClock();
    emit songRowStarted(first.row);
    tick();
}

void Transport::stop() {
    end_.reset();
    withdrawAhead();
    setState(State::Stopped);
    clock_.stop();
}

// The clock starts with the grid the timer has just begun; a clock left running by the
// playback this one replaces stops.
void Transport::startClock() {
    if (clockEnabled_ && timer_.period() > 0)
        clock_.start(timer_.currentDeadline());
    else
        clock_.stop();
}

void Transport::tick() {
    const StepTimer::Clock::time_point at = timer_.currentDeadline();
    const midi::MessageClock::Stamp stamp(at);  // the first step too, which play() sends
    // A step due at the end, give or take the grid's rounding, is beyond it.
    if (end_ && at + std::chrono::microseconds(1) >= *end_) return stop();
    if (state_ == State::Pattern) patternStep();
    if (state_ == State::Song) songStep();
    clock_.step(at, timer_.period(), clockStepsPerBeat_);
}

void Transport::patternStep() {
    if (++position_ > pattern_.playableColumns()) position_ = 1;
    if (position_ > pattern_.columns()) return;  // no column to play
    emit patternStepped(position_);
    play(stepNotes(pattern_.column(position_), rowNotes()));
}

void Transport::songStep() {
    const int playing = songRow();
    const SongStepper::Tick tick = stepper_->next();
    if (tick.passesLeftShown >= 0) emit passesLeftChanged(playing, tick.passesLeftShown);
    for (int row : tick.finishedRows) emit songRowFinished(row);
    if (tick.ended) return stop();
    if (tick.startedRow) {
        emit songRowStarted(tick.startedRow->row);
        applyInterval(tick.startedRow->tempo, tick.startedRow->stepsPerBeat);
        clock_.restartRun();
    }
    position_ = tick.step;
    play(stepper_->record().notesAt(tick.step, rowNotes()));
}

QList<std::optional<int>> Transport::rowNotes() const {
    return mix_ ? mix_->rowNotes(pattern_) : pattern_.rowNotes();
}

void Transport::play(const QList<StepNote>& notes) {
    for (const StepNote& n : notes) output_.PlayDrumNote(n.note, n.level);
}

void Transport::songRowRemoved(int row) {
    if (stepper_) stepper_->rowRemoved(row);
}

void Transport::songRowInserted(int row) {
    if (stepper_) stepper_->rowInserted(row);
}
