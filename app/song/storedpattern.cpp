#include "storedpattern.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isCellIndex(int row, int step) {
    return row >= 1 && row <= StoredPattern::kMaxIndex && step >= 1 &&
           step <= StoredPattern::kMaxIndex;
}

}  // namespace

int StoredPattern::cell(int row, int step) const {
    return isCellIndex(row, step) ? Cells[step * kSize + row] : 0;
}

QList<StepNote> StoredPattern::notesAt(int step, const QList<std::optional<int>>& rowNotes) const {
    QList<int> levels;
    for (int i = 1; i <= std::min<qsizetype>(kMaxIndex, rowNotes.size()); ++i)
        levels << cell(i, step);
    return stepNotes(levels, rowNotes);
}

void StoredPattern::setCell(int row, int step, int level) {
    if (isCellIndex(row, step)) Cells[step * kSize + row] = quint8(std::clamp(level, 0, 255));
}

qint16 StoredPattern::fieldValue(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lowest = std::numeric_limits<qint16>::min();
    constexpr double highest = std::numeric_limits<qint16>::max();
    return qint16(std::clamp(std::nearbyint(value), lowest, highest));
}
