#pragma once

#include "docs/songcodec.h"

#include <QString>

class PatternStore;

// Reads a song file from disk into a pattern store, without touching any window.
class SongFileReader {
public:
    // Records 1..n of the file go into the store (records above n keep their content). The
    // result's error says why the song is missing or incomplete.
    static SongLoadResult read(const QString& path, PatternStore* store);
    // The number of song rows a complete result gives: its count, no more than the store holds.
    static int songRows(const SongLoadResult& result);
};
