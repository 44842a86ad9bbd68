#pragma once

#include "shared/stepnotes.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <optional>

// The variant field of a stored pattern: its type code and the bytes of its value as they
// stand in a song file (none for the empty variant, type code 0).
struct StoredVariant {
    qint16 type = 0;
    QByteArray value;

    bool operator==(const StoredVariant&) const = default;
};

// One pattern of a song, field by field in the order of the song file. Instrument rows and
// steps count from 1 to 30; elements with an index 0 belong to no row or cell but are kept.
struct StoredPattern {
    static constexpr int kMaxIndex = 30;
    static constexpr int kSize = kMaxIndex + 1;

    QString Name;
    qint16 BPM = 0;
    qint16 SubDivs = 0;
    qint16 Takt = 0;
    std::array<qint16, kSize> Notes{};
    // Level of row i at step j at position j * kSize + i: the row index varies fastest.
    std::array<quint8, kSize * kSize> Cells{};
    qint16 Loops = 0;
    // Never read or set by the program; copied with the record and written to song files.
    qint32 Reserved = 0;
    QByteArray ReservedText;
    StoredVariant ReservedVariant;

    int stepCount() const { return int(Takt) * int(SubDivs); }
    // Level of a row 1..30 at a step 1..30; 0 anywhere else, so steps above 30 are silent.
    int cell(int row, int step) const;
    // The notes of a step, with the notes of the instrument rows playing it: rows beyond
    // them, or beyond 30, stay silent.
    QList<StepNote> notesAt(int step, const QList<std::optional<int>>& rowNotes) const;
    // Puts a level (0..255) at a row 1..30 and step 1..30; other positions are ignored.
    void setCell(int row, int step, int level);

    // A number for a 16-bit field: rounded to the nearest whole number (halves to even) and
    // clamped to -32768..32767; not a number gives 0.
    static qint16 fieldValue(double value);

    bool operator==(const StoredPattern&) const = default;
};

// The one record a copy or cut in the song list keeps for later inserts.
using PatternClipboard = StoredPattern;
