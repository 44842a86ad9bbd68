#pragma once

#include "song/storedpattern.h"

class Pattern;

// A pattern kept in a song record and back. A record holds 30 instrument rows and 30 steps.
namespace patternrecord {

// Puts the pattern's name, settings, notes and the levels of its first 30 rows and steps into
// the record; the rest of the record stays. False when the pattern had more rows or steps
// than the record keeps.
bool store(const Pattern& pattern, StoredPattern* record);

// The pattern with the record's name, settings and levels. Rows are matched by note; a row
// without a note matches nothing and keeps its levels.
void load(const StoredPattern& record, Pattern* pattern);

}  // namespace patternrecord
