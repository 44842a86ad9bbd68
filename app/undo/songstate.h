#pragma once

#include "song/song.h"
#include "song/songlist.h"
#include "song/storedpattern.h"

class SongList;

// The song as an edit of the song list may change it: the song, the clipboard, what the
// list's rows show, the current row and the stored pattern being edited.
class SongState {
public:
    static SongState capture(const SongList& songList);
    // An in-place edit still open is dropped: the row it edits may be gone.
    void restore(SongList& songList) const;

    bool operator==(const SongState&) const = default;

private:
    Song song_;
    PatternClipboard clipboard_;
    SongList::Shown shown_;
    int editedRecord_ = 0;
};
