#include "patternreader.h"

#include "form1.h"
#include "shared/checkarray.h"
#include "shared/fieldtext.h"
#include "shared/numericvalue.h"
#include "shared/taglabel.h"

#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

bool PatternReader::readBytes(const QString& path, QByteArray* bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.size() > kMaxFileSize) return false;
    *bytes = file.read(kMaxFileSize + 1);
    return bytes->size() <= kMaxFileSize;
}

PatternReader::PatternReader(Form1& form, const QByteArray& bytes, bool mix, bool replace)
    : form_(form), fields_(sys::FieldReader::decode(bytes)), mix_(mix), replace_(replace) {}

bool PatternReader::read() {
    if (!readHeader()) return false;
    while (!fields_.atEnd())
        if (!readInstrument()) return false;
    return true;
}

bool PatternReader::readHeader() {
    QString name;
    if (!fields_.read(&name)) return false;
    if (!mix_) form_.txtPatNam->setText(name);
    QString header[8];
    for (QString& field : header)
        if (!fields_.read(&field)) return false;
    const QString& takt = header[1];
    const QString& subDivs = header[5];
    fileSteps_ = numericValue(subDivs) * numericValue(takt);  // the fields per instrument line
    if (mix_) return true;
    putFieldText(form_.txtTakt, takt);
    putFieldText(form_.txtTNen, header[3]);
    putFieldText(form_.txtSubdivs, subDivs);
    putFieldText(form_.txtBPM, header[7]);
    return true;
}

bool PatternReader::readInstrument() {
    QString name, note, field;
    if (!fields_.read(&name) || !fields_.read(&note)) return false;
    const int row = rowOf(note);
    if (row == 0) ++unassigned_;
    for (int step = 1; step <= fileSteps_; ++step) {
        if (!fields_.read(&field)) return false;
        if (row) putLevel(row, step, field);
    }
    return fields_.read(&field);  // the empty field after the line's last comma
}

// The first row whose note has the same value; rows without a note match nothing.
int PatternReader::rowOf(const QString& note) const {
    const double value = numericValue(note);
    for (int r = 1; r < form_.labelCount() && r <= form_.rowCount(); ++r) {
        const QString tag = form_.Label(r)->tag();
        if (!tag.trimmed().isEmpty() && numericValue(tag) == value) return r;
    }
    return 0;
}

// Levels beyond the grid's columns are dropped; a level outside 0..3 is taken as the
// nearest one, so a damaged file cannot put values into the grid that it cannot show.
void PatternReader::putLevel(int row, int step, const QString& field) {
    if (step > numericValue(form_.txtSpalt->text()) || step >= form_.checkArrayCount()) return;
    const double value = numericValue(field);
    const int level = int(std::clamp(std::nearbyint(value), 0.0, 3.0));
    if (replace_ || level != 0) form_.checkArray(step)->setValue(row, level);
}
