#include "patternrecord.h"

#include "pattern/pattern.h"
#include "shared/numericvalue.h"

#include <algorithm>

namespace patternrecord {

bool store(const Pattern& pattern, StoredPattern* record) {
    record->Name = pattern.name();
    record->BPM = StoredPattern::fieldValue(pattern.number(Pattern::Bpm));
    record->Takt = StoredPattern::fieldValue(pattern.number(Pattern::Takt));
    record->SubDivs = StoredPattern::fieldValue(pattern.number(Pattern::SubDivs));
    const int rows = pattern.rows(), steps = record->stepCount();
    for (int i = 1; i <= std::min(rows, StoredPattern::kMaxIndex); ++i) {
        record->Notes[i] =
            StoredPattern::fieldValue(numericValue(pattern.instruments()[i - 1].tag));
        for (int j = 1; j <= std::min({steps, StoredPattern::kMaxIndex, pattern.columns()}); ++j)
            record->setCell(i, j, pattern.level(j, i));
    }
    return rows <= StoredPattern::kMaxIndex && steps <= StoredPattern::kMaxIndex;
}

void load(const StoredPattern& record, Pattern* pattern) {
    pattern->setText(Pattern::Takt, QString::number(record.Takt));
    pattern->setText(Pattern::Bpm, QString::number(record.BPM));
    pattern->setText(Pattern::SubDivs, QString::number(record.SubDivs));
    pattern->setText(Pattern::Name, record.Name);
    const int steps = std::min(record.stepCount(), pattern->columns());
    for (int r = 1; r <= pattern->rows(); ++r) {
        const QString& tag = pattern->instruments()[r - 1].tag;
        if (tag.trimmed().isEmpty()) continue;
        for (int k = 1; k <= StoredPattern::kMaxIndex; ++k) {
            if (numericValue(tag) != record.Notes[k]) continue;
            for (int j = 1; j <= steps; ++j)
                pattern->setLevel(j, r, std::min(record.cell(k, j), Pattern::kMaxLevel));
        }
    }
}

}  // namespace patternrecord
