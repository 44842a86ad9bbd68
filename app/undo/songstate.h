#pragma once

#include "shared/patternstore.h"
#include "shared/storedpattern.h"

#include <QList>
#include <QStringList>

class Form1;

// The song as an edit of the song list may change it: the stored patterns, the clipboard,
// the texts of the list's rows (they may differ from the records: an in-place edit shows
// what was typed), the current row and whether a stored pattern is being edited.
class SongState {
public:
    static SongState capture(const Form1& form);
    // An in-place edit still open is dropped: the row it edits may be gone.
    void restore(Form1& form) const;

    bool operator==(const SongState&) const = default;

private:
    void restoreRows(Form1& form) const;
    void restoreEditing(Form1& form) const;

    ::PatternStore store_;
    ::PatternClipboard clipboard_;
    QString clipboardText_;
    QList<QStringList> rows_;  // song rows 1.., each with the texts of its columns
    int currentRow_ = 1;
    bool editing_ = false;
};
