#include "songplayback.h"

#include "form1.h"
#include "playback/patternplayback.h"
#include "shared/numericvalue.h"
#include "shared/songgrid.h"
#include "shared/stepnotes.h"
#include "shared/steptimer.h"

#include <QAbstractButton>
#include <QLineEdit>

SongPlayback::SongPlayback(Form1& form, PatternPlayback& playback)
    : form_(form), playback_(playback) {
    connect(form.cmdPlySng, &QAbstractButton::clicked, this, &SongPlayback::cmdPlySng_Click);
    connect(form.tmrPlay, &StepTimer::timeout, this, &SongPlayback::tmrPlay_Timer);
}

QList<ScheduledRow> SongPlayback::schedule(const Form1& form) {
    const int songRows = form.MSFlexGrid1->rows() - 1;
    return songSchedule(form.PatternStore, songRows, numericValue(form.txtBPM->text()));
}

void SongPlayback::ColorSongRow(int row, const QColor& color) {
    SongGrid* grid = form_.MSFlexGrid1;
    grid->setRow(row);  // a row that does not exist leaves the current one to be painted
    for (int c = 0; c < grid->columnCount(); ++c) {
        grid->setCol(c);
        grid->setCellBackColor(grid->row(), c, color);
    }
}

// A row with no tempo of its own and none before it keeps the interval the timer has.
bool SongPlayback::setRowInterval(const ScheduledRow& row) {
    const auto interval = PatternPlayback::stepInterval(row.tempo, row.stepsPerBeat);
    if (interval) form_.tmrPlay->setInterval(*interval, 1000 * row.stepSeconds());
    return interval.has_value();
}

void SongPlayback::cmdPlySng_Click() {
    const bool down = form_.cmdPlySng->isChecked();
    if (form_.SongRow != 0) ColorSongRow(form_.SongRow, kIdle);
    stepper_.emplace(schedule(form_));
    form_.SongRow = qint16(stepper_->isEmpty() ? 1 : stepper_->first()->row);
    if (!stepper_->isEmpty() && !setRowInterval(*stepper_->first()))
        playback_.applyScreenInterval();  // so the song never stands still
    form_.PlayPosition = 0;
    const bool playing = down && !stepper_->isEmpty();  // a song with nothing to play stops
    form_.tmrPlay->setEnabled(playing);
    form_.PatternMode = false;
    if (down && !playing) form_.cmdPlySng->setChecked(false);
    if (!playing) return;
    form_.LoopsLeft = stepper_->passesLeft();
    ColorSongRow(form_.SongRow, kPlaying);
    songStep();
}

void SongPlayback::tmrPlay_Timer() {
    if (!form_.PatternMode && stepper_) songStep();
}

void SongPlayback::songStep() {
    const SongStepper::Tick tick = stepper_->next();
    SongGrid* grid = form_.MSFlexGrid1;
    if (tick.passesLeftShown >= 0)
        grid->setTextMatrix(form_.SongRow, 1, QString::number(tick.passesLeftShown));
    for (int row : tick.finishedRows) {
        ColorSongRow(row, kIdle);
        grid->setTextMatrix(row, 1, QString::number(form_.PatternStore[row].Loops));
    }
    if (tick.ended) return endSong();
    if (tick.startedRow) {
        form_.SongRow = qint16(tick.startedRow->row);
        ColorSongRow(form_.SongRow, kPlaying);
        setRowInterval(*tick.startedRow);
    }
    form_.LoopsLeft = stepper_->passesLeft();
    form_.PlayPosition = tick.step;
    for (const StepNote& n : notesOf(form_, tick.row, tick.step))
        playback_.PlayDrumNote(n.note, n.level);
}

QList<StepNote> SongPlayback::notesOf(const Form1& form, int row, int step) {
    const QList<std::optional<int>> notes = PatternPlayback::rowNotes(form);
    QList<int> levels;
    for (int i = 1; i <= std::min<int>(StoredPattern::kMaxIndex, notes.size()); ++i)
        levels << form.PatternStore[row].cell(i, step);
    return stepNotes(levels, notes);
}

// The button is released in code and its own click path rewinds the song.
void SongPlayback::endSong() {
    form_.tmrPlay->setEnabled(false);
    form_.cmdPlySng->setChecked(false);
    cmdPlySng_Click();
}
