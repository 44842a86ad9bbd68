#include "rowmix.h"

#include "pattern/pattern.h"

void RowMix::setMuted(int row, bool muted) {
    if (muted)
        muted_.insert(row);
    else
        muted_.remove(row);
}

void RowMix::setSolo(int row, bool solo) {
    if (solo)
        solo_.insert(row);
    else
        solo_.remove(row);
}

bool RowMix::sounds(int row) const {
    return !isMuted(row) && (solo_.isEmpty() || isSolo(row));
}

QList<std::optional<int>> RowMix::rowNotes(const Pattern& pattern) const {
    QList<std::optional<int>> notes = pattern.rowNotes();
    for (qsizetype i = 0; i < notes.size(); ++i)
        if (!sounds(int(i) + 1)) notes[i].reset();
    return notes;
}

Pattern RowMix::applied(const Pattern& pattern) const {
    QList<Instrument> instruments = pattern.instruments();
    for (qsizetype i = 0; i < instruments.size(); ++i)
        if (!sounds(int(i) + 1)) instruments[i].tag.clear();
    Pattern result = pattern;
    result.setInstruments(instruments);
    return result;
}
