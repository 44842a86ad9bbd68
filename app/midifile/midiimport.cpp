#include "midiimport.h"

#include "midifile/smfreader.h"
#include "shared/numericvalue.h"

#include <QCoreApplication>
#include <QMap>
#include <algorithm>
#include <cmath>

namespace {

// The channel whose notes are the drums: 10 (index 9) when it has any, else the busiest.
int drumChannelOf(const QList<SmfNote>& notes) {
    QMap<int, int> counts;
    for (const SmfNote& note : notes) ++counts[note.channel];
    if (counts.contains(9)) return 9;
    int busiest = 9;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(busiest)) busiest = it.key();
    return busiest;
}

// How far the farthest note lies from a grid of `steps` steps per quarter, in ticks.
double gridError(const QList<qint64>& ticks, int division, int steps) {
    const double step = double(division) / steps;
    double worst = 0;
    for (const qint64 tick : ticks) {
        const double off = tick / step;
        worst = std::max(worst, std::abs(off - std::nearbyint(off)) * step);
    }
    return worst;
}

// Tempo in beats per minute, kept to hundredths as the field shows it.
QString tempoText(double microsecondsPerQuarter) {
    return shortestDecimal(std::nearbyint(6e9 / microsecondsPerQuarter) / 100);
}

int rowOf(const QList<std::optional<int>>& rowNotes, int note) {
    for (qsizetype row = 0; row < rowNotes.size(); ++row)
        if (rowNotes[row] == note) return int(row) + 1;
    return 0;
}

}  // namespace

std::optional<MidiImport::Result> MidiImport::fromBytes(const QByteArray& bytes,
                                                        const Pattern& rows, const QString& name,
                                                        QString* error) {
    const std::optional<SmfContents> contents = SmfReader::read(bytes, error);
    if (!contents) return std::nullopt;
    return fromContents(*contents, rows, name);
}

MidiImport::Result MidiImport::fromContents(const SmfContents& contents, const Pattern& rows,
                                            const QString& name) {
    const int channel = drumChannelOf(contents.notes);
    QList<SmfNote> drums;
    QList<qint64> ticks;
    for (const SmfNote& note : contents.notes)
        if (note.channel == channel) drums << note, ticks << note.tick;
    const int last = contents.timeSignatureLastByte;
    const int steps =
        contents.fromThisProgram && last >= 1 ? last : stepsPerBeatOf(ticks, contents.division);
    const double stepTicks = double(contents.division) / steps;

    Result result{rows, {}, false};
    Pattern& pattern = result.pattern;
    pattern.clear();
    pattern.setText(Pattern::Name, contents.name.isEmpty() ? name : contents.name);
    pattern.setText(Pattern::Takt, QString::number(contents.beatsPerBar));
    pattern.setText(Pattern::TaktNenner, QString::number(contents.noteValue));
    pattern.setText(Pattern::SubDivs, QString::number(steps));
    pattern.setText(Pattern::Bpm, tempoText(contents.microsecondsPerQuarter));

    // The length: the file's end in steps, at least up to the last note; a file from
    // elsewhere is rounded up to whole bars.
    qint64 count = std::llround(contents.endTick / stepTicks);
    for (const qint64 tick : ticks) count = std::max(count, std::llround(tick / stepTicks) + 1);
    const qint64 bar = qint64(contents.beatsPerBar) * steps;  // as the pattern counts a bar
    if (!contents.fromThisProgram && bar > 0) count = (count + bar - 1) / bar * bar;
    result.cut = count > Pattern::kMaxColumns;
    pattern.setText(Pattern::Steps,
                    QString::number(std::clamp<qint64>(count, 1, Pattern::kMaxColumns)));

    const QList<std::optional<int>> notes = pattern.rowNotes();
    for (const SmfNote& note : drums) {
        const qint64 step = std::llround(note.tick / stepTicks) + 1;
        const int row = rowOf(notes, note.note);
        if (!row) {
            if (!result.unassigned.contains(note.note)) result.unassigned << note.note;
        } else if (step <= pattern.columns()) {
            pattern.setLevel(int(step), row,
                             std::max(pattern.level(int(step), row), levelOf(note.velocity)));
        }
    }
    std::sort(result.unassigned.begin(), result.unassigned.end());
    return result;
}

int MidiImport::levelOf(int velocity) {
    return velocity <= 73 ? 1 : velocity <= 110 ? 2 : 3;
}

// The coarsest grid within a tick's play (a 96th of a quarter) of every note; the grid
// closest to the notes when none is.
int MidiImport::stepsPerBeatOf(const QList<qint64>& ticks, int division) {
    const double tolerance = std::max(1.0, division / 96.0);
    int best = kMaxStepsPerBeat;
    for (int steps = 1; steps <= kMaxStepsPerBeat; ++steps) {
        const double error = gridError(ticks, division, steps);
        if (error <= tolerance) return steps;
        if (error < gridError(ticks, division, best)) best = steps;
    }
    return best;
}

QString MidiImport::unassignedText(const QList<int>& notes) {
    QStringList numbers;
    for (const int note : notes) numbers << QString::number(note);
    return QCoreApplication::translate("MidiImport", "Nicht zugeordnete Noten: %1")
        .arg(numbers.join(QStringLiteral(", ")));
}

QString MidiImport::cutText() {
    return QCoreApplication::translate("MidiImport",
                                       "Die Datei ist länger als %1 Schritte; nur die ersten %1 "
                                       "wurden übernommen.")
        .arg(Pattern::kMaxColumns);
}
