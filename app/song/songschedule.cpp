#include "songschedule.h"

#include "shared/patternstore.h"

#include <algorithm>

QList<ScheduledRow> songSchedule(const PatternStore& store, int songRows, double startTempo) {
    QList<ScheduledRow> schedule;
    double tempo = startTempo;
    const int lastRow = std::min(songRows, PatternStore::kMaxSongRows);
    for (int row = 1; row <= lastRow; ++row) {
        const StoredPattern& record = store[row];
        if (record.Loops <= 0 || record.Takt <= 0 || record.SubDivs <= 0) continue;
        if (record.BPM > 0) tempo = record.BPM;
        schedule.append({row, record.Loops, record.stepCount(), record.SubDivs, tempo});
    }
    return schedule;
}
