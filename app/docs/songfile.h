#pragma once

#include "docs/songcodec.h"

#include <QString>
#include <optional>

class Form1;
class SongList;

// The song document (.dsg): the song list with its stored patterns saved and loaded back.
// The pattern on screen, the song name and the pattern clipboard are never touched.
class SongFile {
public:
    SongFile(Form1& form, SongList& songList) : form_(form), songList_(songList) {}

    // Asks where to save (proposing the song name in the data folder) and writes the song.
    // A failed write keeps the old file and is reported.
    void MnuSaveSong_Click();
    // Loads PendingFile if set, else the file chosen in the open dialog; an error is shown
    // as its number directly followed by its description.
    void MnuLoadSong_Click();
    // Opens a song as the command line does: without a dialog.
    void openDocument(const QString& path);
    // Reads a song file into the store and the list and returns the error instead of
    // showing it. Records read before an error stay.
    std::optional<SongLoadError> load(const QString& path);

    static const QString kFilter;

private:
    void showSong(const SongLoadResult& result);

    Form1& form_;
    SongList& songList_;
};
