#include "patternreader.h"

#include "pattern/pattern.h"
#include "shared/numericvalue.h"
#include "system/boundedread.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

bool PatternReader::readBytes(const QString& path, QByteArray* bytes) {
    if (!QFileInfo(path).isFile()) return false;  // opening a FIFO would block
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.size() > kMaxFileSize) return false;
    *bytes = sys::readAtMost(file, kMaxFileSize + 1);
    return bytes->size() <= kMaxFileSize;
}

PatternReader::PatternReader(const QByteArray& bytes, bool mix, bool replace)
    : fields_(sys::FieldReader::decode(bytes)), mix_(mix), replace_(replace) {}

bool PatternReader::read(Pattern* pattern) {
    if (!readHeader(pattern)) return false;
    while (!fields_.atEnd())
        if (!readInstrument(pattern)) return false;
    return true;
}

bool PatternReader::readHeader(Pattern* pattern) {
    QString name;
    if (!fields_.read(&name)) return false;
    if (!mix_) pattern->setText(Pattern::Name, name);
    QString header[8];
    for (QString& field : header)
        if (!fields_.read(&field)) return false;
    const QString& takt = header[1];
    const QString& subDivs = header[5];
    fileSteps_ = numericValue(subDivs) * numericValue(takt);  // the fields per instrument line
    if (mix_) return true;
    pattern->setText(Pattern::Takt, takt);
    pattern->setText(Pattern::TaktNenner, header[3]);
    pattern->setText(Pattern::SubDivs, subDivs);
    pattern->setText(Pattern::Bpm, header[7]);
    return true;
}

bool PatternReader::readInstrument(Pattern* pattern) {
    QString name, note, field;
    if (!fields_.read(&name) || !fields_.read(&note)) return false;
    const int row = rowOf(*pattern, note);
    if (row == 0) ++unassigned_;
    for (int step = 1; step <= fileSteps_; ++step) {
        if (!fields_.read(&field)) return false;
        if (row) putLevel(pattern, row, step, field);
    }
    return fields_.read(&field);  // the empty field after the line's last comma
}

// The first row whose note has the same value; rows without a note match nothing.
int PatternReader::rowOf(const Pattern& pattern, const QString& note) {
    const double value = numericValue(note);
    const QList<Instrument>& rows = pattern.instruments();
    for (int r = 1; r <= rows.size(); ++r) {
        const QString& tag = rows[r - 1].tag;
        if (!tag.trimmed().isEmpty() && numericValue(tag) == value) return r;
    }
    return 0;
}

// Levels beyond the pattern's columns are dropped; a level outside 0..3 is taken as the
// nearest one, so a damaged file cannot put values into the grid that it cannot show.
void PatternReader::putLevel(Pattern* pattern, int row, int step, const QString& field) const {
    const double value = numericValue(field);
    const int level = int(std::clamp(std::nearbyint(value), 0.0, double(Pattern::kMaxLevel)));
    if (replace_ || level != 0) pattern->setLevel(step, row, level);
}
