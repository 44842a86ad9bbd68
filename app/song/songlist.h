#pragma once

#include "song/song.h"
#include "song/storedpattern.h"

#include <QList>
#include <QObject>
#include <QStringList>

class Form1;
class PatternView;

// The song list beside the pattern: the view of the song, one row per stored pattern (row r
// shows record r), with adding, editing a stored pattern on screen, a one-pattern clipboard
// and editing a row's name, loops and tempo in place. It holds the song and keeps it current.
class SongList : public QObject {
    Q_OBJECT

public:
    static constexpr double kNumberColumnWidth = 500;
    // Column 0 leaves this much of the list's width free, so no scroll bar appears.
    static constexpr double kListMargin = 50;

    // Connects the song frame's buttons, the list's keys and double click, the editor.
    SongList(Form1& form, PatternView& patternView);

    const Song& song() const { return song_; }
    // Puts a whole song into the list (a loaded song, an undone edit).
    void setSong(const Song& song);
    // The header of the song file just written, with the song's row count.
    void setHeader(const QString& header) {
        song_.header = header;
        song_.headerRows = qint16(song_.songRows());
    }
    const PatternClipboard& clipboard() const { return clipboard_; }
    void setClipboard(const PatternClipboard& clipboard);
    // The record a stored pattern being edited goes back to; 0 while none is edited.
    int editedRecord() const { return editedRecord_; }
    void setEditedRecord(int record);

    // What the rows show (an in-place edit shows what was typed, a stopped song the passes
    // it counted down to) and the current row.
    struct Shown {
        QList<QStringList> rows;  // song rows 1.., each with the texts of its columns
        int currentRow = 1;
        bool operator==(const Shown&) const = default;
    };
    Shown shown() const;
    // Puts a song back as it was shown; an in-place edit still open is dropped.
    void restore(const Song& song, const Shown& shown);

    // Start-up: the header row and the column widths.
    void prepareHeader();
    // The number of song rows (the list's rows below the header).
    int songRows() const;

    // The pattern on screen into a record, and a record onto the screen.
    void StorePattern(int slot);
    void LoadStoredPattern(int slot);
    // Record 0 becomes a new song row before the current one, which it then is.
    void InsertSongRow();
    // Row `row` shows the name, loops and tempo of its record.
    void showRecord(int row);
    // Commits the in-place editor when it is open, so a command acts on the rows as edited.
    void finishInPlaceEdit();

    void cmdAddPatt_Click();
    void cmdEditPat_Click();
    void cmdCancEd_Click();
    void MnuCopy_Click();
    void MnuCut_Click();
    void MnuInsert_Click();

signals:
    // A row was removed from or inserted into the song at `row`.
    void rowRemoved(int row);
    void rowInserted(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void KeyPress(int keyAscii);
    bool currentRow(int* row);
    void startInPlaceEdit();
    void commitInPlaceEdit();
    void setEditing(bool editing);

    Form1& form_;
    PatternView& patternView_;
    Song song_;
    PatternClipboard clipboard_;
    int editedRecord_ = 0;
    int editRow_ = 0;  // the cell the in-place editor edits
    int editCol_ = 0;
};
