#pragma once

#include "shared/editjournal.h"
#include "undo/editstate.h"

#include <QHash>
#include <QObject>
#include <QUndoStack>
#include <optional>

class CheckArray;
class Form1;
class GridGeometry;
class PatternView;
class SongList;
class QLineEdit;

// Undo and redo for every edit of the pattern and the song. Cell clicks and keystrokes in
// the pattern fields are watched here; the commands report their edits through the
// window's journal. A step is kept as the states before and after it and is undone by
// putting the state back through the same views an edit goes through, so the grid, the
// window width and the song list follow; nothing is clicked and nothing sounds.
class UndoHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int kLimit = 200;

    // Built after the grid geometry: its field handlers must have run when a keystroke is
    // taken in, and every column it makes is watched.
    UndoHistory(Form1& form, GridGeometry& geometry, PatternView& view, SongList& songList);

    QUndoStack& stack() { return stack_; }
    // Forgets every step (the state reached at start-up is where undoing ends).
    void clear();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct OpenStep {
        QString text;
        int mergeKey = 0;
        EditState before;
        QLineEdit* field = nullptr;  // a keystroke's step closes with that field's change
        bool withSong = false;
    };

    void watchColumn(CheckArray* column);
    void watchField(QLineEdit* field, int index);
    void connectActions();
    void showAction(bool enabled, const QString& step, bool undo);
    void cellClicked(CheckArray* column, int row, int previous, int clickMode);
    void fieldEdited(QLineEdit* field, int index);
    void fieldChanged(QLineEdit* field);
    void stepOpened(const QString& text, EditJournal::Scope scope, int mergeKey);
    void stepClosed();
    void restore(const EditState& state);
    bool isRecording() const;
    bool isHistoryKey(const QEvent* event) const;

    Form1& form_;
    PatternView& view_;
    SongList& songList_;
    QUndoStack stack_;
    std::optional<OpenStep> open_;
    QHash<QLineEdit*, QString> lastText_;  // each field's text before its latest change
    int typing_ = 1;  // keystrokes merge while this stays: focus leaving a field ends it
    bool restoring_ = false;
};
