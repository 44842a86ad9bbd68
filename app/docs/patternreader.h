#pragma once

#include "system/fieldreader.h"

#include <QByteArray>
#include <QString>

class Form1;

// Reads a pattern file field by field into the pattern on screen. Instrument lines are
// matched to the rows by note number; levels land in the step columns the grid has.
class PatternReader {
public:
    // A pattern file is a few kilobytes; a larger file is not read at all.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static bool readBytes(const QString& path, QByteArray* bytes);

    // mix: take only levels (else name and settings too); replace: write zeros as well.
    PatternReader(Form1& form, const QByteArray& bytes, bool mix, bool replace);

    // True when the file was read to its end; false when it ended early or was damaged
    // (what was read before stays on screen).
    bool read();
    // Instrument lines whose note no row carries.
    int unassigned() const { return unassigned_; }

private:
    bool readHeader();
    bool readInstrument();
    int rowOf(const QString& note) const;
    void putLevel(int row, int step, const QString& field);

    Form1& form_;
    sys::FieldReader fields_;
    bool mix_;
    bool replace_;
    double fileSteps_ = 0;
    int unassigned_ = 0;
};
