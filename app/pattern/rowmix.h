#pragma once

#include <QList>
#include <QSet>
#include <optional>

class Pattern;

// Which instrument rows sound: a muted row never does, and while any row is solo only the
// solo rows do (a row both muted and solo stays silent). It belongs to the running program,
// not to the pattern: files neither keep nor restore it.
class RowMix {
public:
    bool isMuted(int row) const { return muted_.contains(row); }
    void setMuted(int row, bool muted);
    bool isSolo(int row) const { return solo_.contains(row); }
    void setSolo(int row, bool solo);

    // Whether row 1..N sounds.
    bool sounds(int row) const;
    // The notes of the pattern's rows, none for the rows that do not sound.
    QList<std::optional<int>> rowNotes(const Pattern& pattern) const;
    // The pattern as it sounds: the rows that do not sound carry no note.
    Pattern applied(const Pattern& pattern) const;

    bool operator==(const RowMix&) const = default;

private:
    QSet<int> muted_;
    QSet<int> solo_;
};
