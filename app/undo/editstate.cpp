#include "editstate.h"

#include "pattern/patternview.h"

EditState EditState::capture(const PatternView& view, const SongList& songList, bool withSong) {
    EditState state;
    state.pattern_ = view.pattern();
    if (withSong) state.song_ = std::make_shared<const SongState>(SongState::capture(songList));
    return state;
}

void EditState::restore(PatternView& view, SongList& songList) const {
    if (song_) song_->restore(songList);
    view.show(pattern_);
}

void EditState::shareSong(const EditState& other) {
    if (song_ && other.song_ && song_ != other.song_ && *song_ == *other.song_) song_ = other.song_;
}

bool EditState::operator==(const EditState& other) const {
    if (!(pattern_ == other.pattern_)) return false;
    if (!song_ || !other.song_) return !song_ == !other.song_;
    return song_ == other.song_ || *song_ == *other.song_;
}
