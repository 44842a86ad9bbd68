#pragma once

#include "song/storedpattern.h"

#include <array>

// The stored patterns of the song: record r belongs to song row r (1..30); record 0 is the
// scratch slot (the pattern about to be inserted, or the screen's pattern while a stored one
// is edited). A fresh store holds empty records.
class PatternStore {
public:
    static constexpr int kMaxSongRows = StoredPattern::kMaxIndex;
    static constexpr int kRecords = kMaxSongRows + 1;

    // Records 0..30; any other index is a programming error.
    StoredPattern& operator[](int index);
    const StoredPattern& operator[](int index) const;

    // Inserts record 0 as song row `row` of a song of `songRows` rows: records row..songRows
    // move one place up and record 0 is copied into record row, with a loop count of 0 made 1.
    // False, and nothing changed, when the song is full or row is not 1..songRows + 1.
    bool insertSongRow(int row, int songRows);
    // Removes song row `row`: records row + 1..songRows move one place down. Removing the
    // only row leaves one empty record. False, and nothing changed, for a row not in the song.
    bool removeSongRow(int row, int songRows);

    bool operator==(const PatternStore&) const = default;

private:
    std::array<StoredPattern, kRecords> records_;
};
