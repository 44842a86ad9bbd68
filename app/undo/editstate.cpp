#include "editstate.h"

EditState EditState::capture(const Form1& form, bool withSong) {
    EditState state;
    state.pattern_ = PatternState::capture(form);
    if (withSong) state.song_ = std::make_shared<const SongState>(SongState::capture(form));
    return state;
}

void EditState::restore(Form1& form) const {
    if (song_) song_->restore(form);
    pattern_.restore(form);
}

void EditState::shareSong(const EditState& other) {
    if (song_ && other.song_ && song_ != other.song_ && *song_ == *other.song_) song_ = other.song_;
}

bool EditState::operator==(const EditState& other) const {
    if (!(pattern_ == other.pattern_)) return false;
    if (!song_ || !other.song_) return !song_ == !other.song_;
    return song_ == other.song_ || *song_ == *other.song_;
}
