#include "pattern.h"

#include "shared/numericvalue.h"

#include <algorithm>
#include <cmath>

Pattern::Pattern(int rows) : rows_(std::max(1, rows)) {
    texts_ = {QStringLiteral("4"),  QStringLiteral("4"),   QStringLiteral("4"),
              QStringLiteral("16"), QStringLiteral("100"), QStringLiteral("PatNam")};
    instruments_.resize(rows_);
    setColumns(columnCount(number(Steps)));
}

double Pattern::number(Field field) const {
    return numericValue(texts_[field]);
}

void Pattern::setText(Field field, const QString& text) {
    texts_[field] = text;
    if (field == Takt || field == SubDivs)
        texts_[Steps] = shortestDecimal(number(Takt) * number(SubDivs));
    if (field == Takt || field == SubDivs || field == Steps) setColumns(columnCount(number(Steps)));
}

void Pattern::setInstruments(const QList<Instrument>& instruments) {
    instruments_ = instruments.mid(0, rows_);
    instruments_.resize(rows_);
}

void Pattern::setColumns(int count) {
    levels_.resize(std::max(0, count), QList<int>(rows_, 0));
}

int Pattern::level(int step, int row) const {
    if (step < 1 || step > columns() || row < 1 || row > rows_) return 0;
    return levels_[step - 1][row - 1];
}

void Pattern::setLevel(int step, int row, int level) {
    if (step < 1 || step > columns() || row < 1 || row > rows_) return;
    levels_[step - 1][row - 1] = std::clamp(level, 0, kMaxLevel);
}

bool Pattern::rowHasLevel(int row) const {
    return std::any_of(levels_.begin(), levels_.end(),
                       [row](const QList<int>& c) { return c.value(row - 1) != 0; });
}

void Pattern::clear() {
    for (QList<int>& c : levels_) c.fill(0);
}

void Pattern::rotateLeft() {
    if (!levels_.isEmpty()) levels_.append(levels_.takeFirst());
}

void Pattern::rotateRight() {
    if (!levels_.isEmpty()) levels_.prepend(levels_.takeLast());
}

int Pattern::columnCount(double steps) {
    if (!(steps > 0)) return 0;
    return steps >= kMaxColumns ? kMaxColumns : int(std::floor(steps));
}

int Pattern::playableColumns() const {
    const double steps = number(Steps);
    if (!(steps >= 1)) return 0;
    return int(std::min<double>(std::floor(steps), columns()));
}

QList<std::optional<int>> Pattern::rowNotes() const {
    QList<std::optional<int>> notes;
    for (const Instrument& instrument : instruments_) notes << noteOfTag(instrument.tag);
    return notes;
}

QList<StepNote> Pattern::notesAt(int step) const {
    if (step < 1 || step > columns()) return {};
    return stepNotes(levels_[step - 1], rowNotes());
}

std::optional<double> Pattern::stepSeconds() const {
    const double seconds = 60.0 / (number(Bpm) * number(SubDivs));
    if (!(seconds > 0) || !std::isfinite(seconds)) return std::nullopt;
    return seconds;
}
