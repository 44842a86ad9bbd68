#pragma once

#include "system/fieldreader.h"

#include <QByteArray>
#include <QString>

class Pattern;

// Reads a pattern file field by field into a pattern. Instrument lines are matched to the
// rows by note number; levels land in the step columns the pattern has.
class PatternReader {
public:
    // A pattern file is a few kilobytes; a larger file is not read at all.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static bool readBytes(const QString& path, QByteArray* bytes);

    // mix: take only levels (else name and settings too); replace: write zeros as well.
    PatternReader(const QByteArray& bytes, bool mix, bool replace);

    // True when the file was read to its end; false when it ended early or was damaged
    // (what was read before stays in the pattern).
    bool read(Pattern* pattern);
    // Instrument lines whose note no row carries.
    int unassigned() const { return unassigned_; }

private:
    bool readHeader(Pattern* pattern);
    bool readInstrument(Pattern* pattern);
    static int rowOf(const Pattern& pattern, const QString& note);
    void putLevel(Pattern* pattern, int row, int step, const QString& field) const;

    sys::FieldReader fields_;
    bool mix_;
    bool replace_;
    double fileSteps_ = 0;
    int unassigned_ = 0;
};
