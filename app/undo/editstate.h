#pragma once

#include "pattern/pattern.h"
#include "undo/songstate.h"

#include <memory>

class PatternView;
class SongList;

// What one step of the history puts back: the pattern, and the song for the song's edits.
// The song part is shared between the states that hold the same song, so a run of song
// edits does not keep a copy of the whole store for each side of each step.
class EditState {
public:
    static EditState capture(const PatternView& view, const SongList& songList, bool withSong);

    void restore(PatternView& view, SongList& songList) const;
    // Shares the song part with another state that holds the same song.
    void shareSong(const EditState& other);
    Pattern& pattern() { return pattern_; }

    bool operator==(const EditState& other) const;

private:
    Pattern pattern_;
    std::shared_ptr<const SongState> song_;  // null: the step leaves the song alone
};
