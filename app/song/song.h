#pragma once

#include "song/patternstore.h"
#include "song/songschedule.h"

#include <QList>
#include <QString>
#include <algorithm>

// What a song is, without any window: its stored patterns (record r is song row r, record 0
// the scratch slot) and the number of rows the song list holds.
struct Song {
    PatternStore store;
    int rows = 1;           // song rows, the list's header row not counted
    QString header;         // the header text of the song file written or read last
    qint16 headerRows = 0;  // the row count written or read with it

    // The rows that count: no more than the store holds records for.
    int songRows() const { return std::clamp(rows, 0, PatternStore::kMaxSongRows); }
    // The rows that play, with the given tempo for rows before the first that has one.
    QList<ScheduledRow> schedule(double startTempo) const {
        return songSchedule(store, rows, startTempo);
    }

    bool operator==(const Song&) const = default;
};
