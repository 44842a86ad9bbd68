#include "songstate.h"

SongState SongState::capture(const SongList& songList) {
    SongState state;
    state.song_ = songList.song();
    state.clipboard_ = songList.clipboard();
    state.shown_ = songList.shown();
    state.editedRecord_ = songList.editedRecord();
    return state;
}

// The edit toggle is put without a click, so no edit starts or ends here.
void SongState::restore(SongList& songList) const {
    songList.restore(song_, shown_);
    songList.setClipboard(clipboard_);
    songList.setEditedRecord(editedRecord_);
}
