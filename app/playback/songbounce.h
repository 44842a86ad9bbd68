#pragma once

#include "playback/patternbounce.h"

#include <optional>

class Form1;

// The song in the song list as timed MIDI messages, tick by tick exactly as song playback
// plays it: each row at its tempo and steps per beat, the step after a new row began one
// new period later, a second of tail. The song plays `loops` times in a row.
class SongBounce {
public:
    // None when a step that must sound has no step length (no tempo anywhere).
    static std::optional<PatternBounce::Take> of(const Form1& form, int loops);
};
