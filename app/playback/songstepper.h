#pragma once

#include "song/songschedule.h"

#include <QList>

// Walks a song tick by tick as song playback plays it: each tick plays one step of one row;
// after a row's last step its pass is counted down, and when no pass is left the next
// row of the schedule begins in the same tick. Rows the schedule passes over never play.
class SongStepper {
public:
    struct Tick {
        bool ended = false;        // the song is over; nothing plays in this tick
        int row = 0;               // the row whose step plays
        int step = 0;              // 1..steps of that row
        int passesLeftShown = -1;  // a pass ended: the passes left of the row that played it
        QList<int> finishedRows;   // rows whose last pass ended in this tick
        const ScheduledRow* startedRow = nullptr;  // the row that began in this tick
    };

    explicit SongStepper(QList<ScheduledRow> schedule);

    bool isEmpty() const { return schedule_.isEmpty(); }
    const ScheduledRow* first() const { return schedule_.isEmpty() ? nullptr : &schedule_[0]; }
    int passesLeft() const { return passesLeft_; }
    Tick next();

private:
    QList<ScheduledRow> schedule_;
    qsizetype index_ = 0;
    int passesLeft_ = 0;
    int position_ = 0;
};
