#include "songschedule.h"

#include "song/patternstore.h"

#include <algorithm>

std::optional<ScheduledRow> scheduledRow(const StoredPattern& record, int row, double* tempo) {
    if (record.Loops <= 0 || record.Takt <= 0 || record.SubDivs <= 0) return std::nullopt;
    if (record.BPM > 0) *tempo = record.BPM;
    return ScheduledRow{row, record.Loops, record.stepCount(), record.SubDivs, *tempo};
}

QList<ScheduledRow> songSchedule(const PatternStore& store, int songRows, double startTempo) {
    QList<ScheduledRow> schedule;
    double tempo = startTempo;
    const int lastRow = std::min(songRows, PatternStore::kMaxSongRows);
    for (int row = 1; row <= lastRow; ++row)
        if (const auto playing = scheduledRow(store[row], row, &tempo)) schedule.append(*playing);
    return schedule;
}
