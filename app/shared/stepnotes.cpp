#include "stepnotes.h"

#include <algorithm>
#include <cmath>

std::optional<int> noteOfTag(const QString& tag) {
    bool ok = false;
    const double value = tag.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    const double note = std::nearbyint(value);
    if (note < 0 || note > 127) return std::nullopt;
    return int(note);
}

QList<StepNote> stepNotes(const QList<int>& levels, const QList<std::optional<int>>& rowNotes) {
    QList<StepNote> notes;
    const qsizetype rows = std::min(levels.size(), rowNotes.size());
    for (qsizetype i = 0; i < rows; ++i)
        if (levels[i] > 0 && rowNotes[i]) notes.append({*rowNotes[i], std::min(levels[i], 3)});
    return notes;
}
