#pragma once

#include "song/songcodec.h"

#include <QObject>
#include <QString>
#include <optional>

class Form1;
class SongList;
struct Song;

// The song document (.dsg): the song list with its stored patterns saved and loaded back.
// The pattern on screen, the song name and the pattern clipboard are never touched.
class SongFile : public QObject {
    Q_OBJECT

public:
    SongFile(Form1& form, SongList& songList) : form_(form), songList_(songList) {}

    // Asks where to save (proposing the song name in the data folder) and writes the song.
    // A failed write keeps the old file and is reported. Returns whether the song was written.
    bool MnuSaveSong_Click();
    // Loads PendingFile if set, else the file chosen in the open dialog; an error is shown
    // as its number directly followed by its description, and the file's path.
    void MnuLoadSong_Click();
    // Opens a song as the command line does: without a dialog.
    void openDocument(const QString& path);
    // Reads a song file into the list and returns the error instead of showing it.
    std::optional<SongLoadError> load(const QString& path);

    // The file dialogs' filter.
    static QString filter();

signals:
    // The song in the list is now the contents of this file: written, or loaded whole.
    void saved(const QString& path);
    void opened(const QString& path);

private:
    Form1& form_;
    SongList& songList_;
};
