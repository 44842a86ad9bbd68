#pragma once

#include "song/song.h"
#include "song/songschedule.h"
#include "song/storedpattern.h"

#include <QList>
#include <optional>

// Walks a song tick by tick as song playback plays it: each tick plays one step of one row;
// after a row's last step its pass is counted down, and when no pass is left the next row
// begins in the same tick. A row is read from the song when it begins (its record and the
// song's row count then), so edits of the song while it plays change what is heard next;
// rows with no pass or no step are passed over, and nothing past the song's last row plays.
class SongStepper {
public:
    struct Tick {
        bool ended = false;        // the song is over; nothing plays in this tick
        int row = 0;               // the row whose step plays (0: it left the song meanwhile)
        int step = 0;              // 1..steps of that row
        int passesLeftShown = -1;  // a pass ended: the passes left of the row that played it
        QList<int> finishedRows;   // rows whose last pass ended in this tick
        const ScheduledRow* startedRow = nullptr;  // the row that began in this tick
    };

    // The song must outlive the stepper; the first playing row is read at once.
    SongStepper(const Song& song, double startTempo);

    bool isEmpty() const { return !current_; }
    const ScheduledRow* current() const { return current_ ? &*current_ : nullptr; }
    // The record of the playing row as it was when the row began.
    const StoredPattern& record() const { return record_; }
    int passesLeft() const { return passesLeft_; }
    Tick next();

    // The song's rows moved under the playing one: a row was removed or inserted at `row`.
    void rowRemoved(int row);
    void rowInserted(int row);

private:
    bool begin(int firstRow);

    const Song& song_;
    double tempo_;
    std::optional<ScheduledRow> current_;
    StoredPattern record_;
    int nextRow_ = 1;
    int passesLeft_ = 0;
    int position_ = 0;
};
