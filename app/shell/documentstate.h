#pragma once

#include "pattern/pattern.h"
#include "song/song.h"

#include <QObject>
#include <QString>

class Form1;
class PatternFile;
class PatternView;
class SongFile;
class SongList;
class UndoHistory;

// Whether the pattern and the song changed since they were last opened, saved or newly
// started, and the window title that shows them. Both share one undo history, so each is
// compared with the state it was last opened or saved in: undoing back to that state makes
// it unmodified again.
class DocumentState : public QObject {
    Q_OBJECT

public:
    DocumentState(Form1& form, PatternView& view, SongList& songList, UndoHistory& history,
                  PatternFile& patternFile, SongFile& songFile);

    // What is on screen now is where both documents start unmodified (the end of start-up).
    void markStart();

    bool isPatternModified() const;
    bool isSongModified() const;
    // The names a question uses: the pattern's name and the song name field's text.
    QString patternName() const;
    QString songName() const;

    // The title with Qt's "[*]" mark behind each modified document's file; a modified
    // document without a file marks the program's name.
    static QString titleOf(const QString& patternPath, bool patternModified,
                           const QString& songPath, bool songModified);

signals:
    // The modified state or a document's file changed.
    void changed();

private:
    void patternStored(const QString& path);
    void songStored(const QString& path);
    void refresh();

    Form1& form_;
    PatternView& view_;
    SongList& songList_;
    Pattern cleanPattern_;
    Song cleanSong_;
    QString patternPath_;
    QString songPath_;
    QString shownTitle_;
};
