#pragma once

#include "playback/songstepper.h"
#include "shared/stepnotes.h"

#include <QColor>
#include <QObject>
#include <optional>

class Form1;
class PatternPlayback;

// Plays the song: the stored patterns of the song list from the top, each row as often as
// its loop count says and at its own tempo. The playing row is painted red and its loop
// cell counts the passes left down. Rows with no pass or no step are passed over.
class SongPlayback : public QObject {
    Q_OBJECT

public:
    static inline const QColor kPlaying = QColor(255, 0, 0);
    static inline const QColor kIdle = QColor(255, 255, 255);

    // Connects the song's Play button and the playback timer.
    SongPlayback(Form1& form, PatternPlayback& playback);

    void cmdPlySng_Click();
    // One tick of the playback timer while the song plays (PatternMode false).
    void tmrPlay_Timer();
    // Paints every cell of a song row; the list's current cell ends on its last column.
    void ColorSongRow(int row, const QColor& color);

    // The rows that play, with the screen's tempo for rows before the first that has one.
    static QList<ScheduledRow> schedule(const Form1& form);
    // The notes of one step of a stored row, with the notes of the instrument rows on
    // screen; stored rows beyond them stay silent.
    static QList<StepNote> notesOf(const Form1& form, int row, int step);

private:
    void songStep();
    bool setRowInterval(const ScheduledRow& row);
    void endSong();

    Form1& form_;
    PatternPlayback& playback_;
    std::optional<SongStepper> stepper_;
};
