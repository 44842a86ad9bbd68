#include "songstate.h"

#include "form1.h"
#include "shared/songgrid.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLineEdit>

SongState SongState::capture(const Form1& form) {
    SongState state;
    state.store_ = form.PatternStore;
    state.clipboard_ = form.PatternClipboard;
    state.clipboardText_ = form.txtPatClipboard->text();
    const SongGrid* grid = form.MSFlexGrid1;
    for (int r = 1; r < grid->rows(); ++r) {
        QStringList texts;
        for (int c = 0; c < grid->columnCount(); ++c) texts << grid->textMatrix(r, c);
        state.rows_ << texts;
    }
    state.currentRow_ = grid->row();
    state.editing_ = form.cmdCancEd->isEnabled();  // the toggle is down already in its click
    return state;
}

void SongState::restore(Form1& form) const {
    form.FrameText->hide();
    form.PatternStore = store_;
    form.PatternClipboard = clipboard_;
    form.txtPatClipboard->setText(clipboardText_);
    restoreRows(form);
    restoreEditing(form);
}

void SongState::restoreRows(Form1& form) const {
    SongGrid* grid = form.MSFlexGrid1;
    grid->setRows(int(rows_.size()) + 1);
    for (int r = 1; r <= rows_.size(); ++r)
        for (int c = 0; c < rows_[r - 1].size(); ++c) grid->setTextMatrix(r, c, rows_[r - 1][c]);
    grid->setRow(currentRow_);
}

// The edit toggle is put without a click, so no edit starts or ends here.
void SongState::restoreEditing(Form1& form) const {
    form.cmdEditPat->setChecked(editing_);
    form.MSFlexGrid1->setEnabled(!editing_);
    form.cmdCancEd->setVisible(editing_);
    form.cmdCancEd->setEnabled(editing_);
}
