#pragma once

#include <QObject>

class Form1;

// The song list beside the pattern: the stored patterns of the song, one row each (row r
// shows record r of the store), with adding, editing a stored pattern on screen, a
// one-pattern clipboard and editing a row's name, loops and tempo in place.
class SongList : public QObject {
    Q_OBJECT

public:
    static constexpr double kNumberColumnWidth = 500;
    // Column 0 leaves this much of the list's width free, so no scroll bar appears.
    static constexpr double kListMargin = 50;

    // Connects the song frame's buttons, the list's keys and double click, the editor.
    explicit SongList(Form1& form);

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

    void cmdAddPatt_Click();
    void cmdEditPat_Click();
    void cmdCancEd_Click();
    void MnuCopy_Click();
    void MnuCut_Click();
    void MnuInsert_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void KeyPress(int keyAscii);
    void startInPlaceEdit();
    void commitInPlaceEdit();
    void setEditing(bool editing);

    Form1& form_;
};
