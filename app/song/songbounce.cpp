#include "songbounce.h"

#include "midi/shortmessage.h"
#include "pattern/pattern.h"
#include "shared/drumoutput.h"
#include "song/song.h"

#include <cmath>

namespace {

double validOr(double seconds, double fallback) {
    return std::isfinite(seconds) && seconds > 0 ? seconds : fallback;
}

// A row as the take plays it: the period of its steps and the notes of its first 30 steps.
struct BouncedRow {
    ScheduledRow row;
    double period = 0;
    QList<QList<StepNote>> notes;  // notes[step - 1]
    double messages = 0;           // in one pass
};

// The rows with their periods, or none when a row has no step length.
std::optional<QList<BouncedRow>> bouncedRows(const Song& song, const Pattern& pattern) {
    const QList<ScheduledRow> schedule = song.schedule(pattern.number(Pattern::Bpm));
    const QList<std::optional<int>> rowNotes = pattern.rowNotes();
    double period = pattern.stepSeconds().value_or(NAN);
    QList<BouncedRow> rows;
    for (const ScheduledRow& row : schedule) {
        period = validOr(row.stepSeconds(), period);
        if (!(period > 0) || !std::isfinite(period)) return std::nullopt;
        BouncedRow bounced{row, period, {}, 0};
        for (int step = 1; step <= std::min(row.steps, StoredPattern::kMaxIndex); ++step) {
            bounced.notes << song.store[row.row].notesAt(step, rowNotes);
            bounced.messages += 2.0 * bounced.notes.last().size();
        }
        rows << bounced;
    }
    return rows;
}

void appendPass(const BouncedRow& row, double at, QList<midi::TimedMessage>* messages) {
    for (qsizetype s = 0; s < row.notes.size(); ++s) {
        const double when = at + double(s) * row.period;
        for (const StepNote& n : row.notes[s]) {
            const int velocity = n.level * DrumOutput::kVelocityPerLevel;
            *messages << midi::TimedMessage{when, midi::drumNoteOn(n.note, velocity)}
                      << midi::TimedMessage{when, midi::drumNoteOn(n.note, 0)};
        }
    }
}

}  // namespace

std::optional<PatternBounce::Take> SongBounce::of(const Song& song, const Pattern& pattern,
                                                  int loops) {
    const auto rows = bouncedRows(song, pattern);
    if (!rows) return std::nullopt;
    double seconds = 0, messages = 0;
    for (const BouncedRow& r : *rows) {
        seconds += double(r.row.passes) * r.row.steps * r.period;
        messages += double(r.row.passes) * r.messages;
    }
    PatternBounce::Take take;
    take.seconds = loops * seconds + PatternBounce::kTailSeconds;
    if (!PatternBounce::admits(&take, loops * messages)) return take;  // refused before any work
    double at = 0;
    for (int loop = 0; loop < loops; ++loop) {
        for (const BouncedRow& r : *rows) {
            const double pass = r.row.steps * r.period;
            if (r.messages == 0) {
                at += r.row.passes * pass;  // silent passes are counted, not walked
                continue;
            }
            for (int p = 0; p < r.row.passes; ++p, at += pass) appendPass(r, at, &take.messages);
        }
    }
    return take;
}
