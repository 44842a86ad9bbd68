#pragma once

#include "pattern/patternbounce.h"

#include <optional>

class Pattern;
struct Song;

// A song as timed MIDI messages, exactly as song playback plays it: each row at its tempo and
// steps per beat, the step after a new row began one new period later, a second of tail. The
// notes are those of the pattern's instrument rows; rows before the first with a tempo take
// the pattern's. The song plays `loops` times in a row. Steps above 30 hold no cells: they
// are counted, not walked, so a huge song costs no more than its notes.
class SongBounce {
public:
    // None when a step that must sound has no step length (no tempo anywhere).
    static std::optional<PatternBounce::Take> of(const Song& song, const Pattern& pattern,
                                                 int loops);
};
