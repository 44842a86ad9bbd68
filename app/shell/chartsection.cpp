#include "chartsection.h"

#include "pattern/pattern.h"
#include "song/song.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace {

// A count read from a field: whole, at least 0, at most a pattern's columns.
int count(double value) {
    if (!(value > 0)) return 0;
    return int(std::min<double>(std::floor(value), Pattern::kMaxColumns));
}

QString rowName(const Pattern& pattern, int row) {
    const QString name = pattern.instruments().value(row - 1).name.trimmed();
    return name.isEmpty() ? ChartSection::tr("Zeile %1").arg(row) : name;
}

// Adds the rows that have a level in steps 1..steps, as level(row, step) gives them.
template <typename Level>
void addLines(ChartSection* section, const Pattern& pattern, int rows, Level level) {
    for (int row = 1; row <= rows; ++row) {
        QList<int> levels;
        for (int step = 1; step <= section->steps; ++step)
            levels << std::clamp(level(row, step), 0, Pattern::kMaxLevel);
        if (std::any_of(levels.begin(), levels.end(), [](int l) { return l > 0; })) {
            section->names << rowName(pattern, row);
            section->levels << levels;
        }
    }
}

}  // namespace

ChartSection ChartSection::ofPattern(const Pattern& pattern) {
    ChartSection section;
    section.steps = pattern.playableColumns();
    section.stepsPerBeat = count(pattern.number(Pattern::SubDivs));
    section.beatsPerBar = count(pattern.number(Pattern::Takt));
    section.heading =
        tr("Takt %1/%2 · %3 Schritte je Schlag · %4 BPM")
            .arg(pattern.text(Pattern::Takt).trimmed(), pattern.text(Pattern::TaktNenner).trimmed(),
                 pattern.text(Pattern::SubDivs).trimmed(), pattern.text(Pattern::Bpm).trimmed());
    addLines(&section, pattern, pattern.rows(),
             [&pattern](int row, int step) { return pattern.level(step, row); });
    return section;
}

ChartSection ChartSection::ofSongRow(const Song& song, int row, const Pattern& pattern) {
    const StoredPattern& record = song.store[row];
    ChartSection section;
    section.steps = count(record.stepCount());
    section.stepsPerBeat = count(record.SubDivs);
    section.beatsPerBar = count(record.Takt);
    section.heading = tr("%1. %2 · %3× · Takt %4 · %5 Schritte je Schlag · %6 BPM")
                          .arg(row)
                          .arg(record.Name.trimmed())
                          .arg(record.Loops)
                          .arg(record.Takt)
                          .arg(record.SubDivs)
                          .arg(record.BPM);
    addLines(&section, pattern, std::min(pattern.rows(), StoredPattern::kMaxIndex),
             [&record](int r, int step) { return record.cell(r, step); });
    return section;
}
