#pragma once

#include <QList>
#include <optional>

class PatternStore;
struct StoredPattern;

// One song row as song playback plays it and the MIDI export writes it.
struct ScheduledRow {
    int row = 0;           // song row and its record, 1..30
    int passes = 0;        // the row's loop count
    int steps = 0;         // beats per bar x steps per beat; stored steps above 30 are silent
    int stepsPerBeat = 0;  // the row's own steps per beat
    double tempo = 0;      // beats per minute in effect while the row plays

    double stepSeconds() const { return 60.0 / (tempo * stepsPerBeat); }
};

// The rows of a song of `songRows` rows (no more than the store's 30 are read) in the order
// they play. A row plays when its loop count, beats per bar and steps per beat are all above
// 0; every other row is passed over. A row's tempo is its own when above 0, otherwise the
// tempo in effect before it stays, starting with `startTempo`.
// Song row `row` as it plays from its record, or none when it is passed over; `tempo` is the
// tempo in effect before it and becomes the row's own when it has one.
std::optional<ScheduledRow> scheduledRow(const StoredPattern& record, int row, double* tempo);

QList<ScheduledRow> songSchedule(const PatternStore& store, int songRows, double startTempo);
