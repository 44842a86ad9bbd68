#include "songlist.h"

#include "form1.h"
#include "shared/checkarray.h"
#include "shared/editstep.h"
#include "shared/fieldtext.h"
#include "shared/numericvalue.h"
#include "shared/selectallonfocus.h"
#include "shared/songgrid.h"
#include "shared/taglabel.h"
#include "system/dialogs.h"
#include "system/twipsgeometry.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLineEdit>

namespace {
constexpr int kCopyKey = 3, kInsertKey = 22, kCutKey = 24;
// The in-place editor sits this far inside the cell it edits.
constexpr double kEditorLeft = 50, kEditorTop = 30;
}  // namespace

SongList::SongList(Form1& form) : form_(form) {
    connect(form.cmdAddPatt, &QAbstractButton::clicked, this, &SongList::cmdAddPatt_Click);
    connect(form.cmdEditPat, &QAbstractButton::clicked, this, &SongList::cmdEditPat_Click);
    connect(form.cmdCancEd, &QAbstractButton::clicked, this, &SongList::cmdCancEd_Click);
    connect(form.cmdCopy, &QAbstractButton::clicked, this, &SongList::MnuCopy_Click);
    connect(form.txtInsert, &QAbstractButton::clicked, this, &SongList::MnuInsert_Click);
    connect(form.cmdCut, &QAbstractButton::clicked, this, &SongList::MnuCut_Click);
    connect(form.MSFlexGrid1, &SongGrid::KeyPress, this, &SongList::KeyPress);
    connect(form.MSFlexGrid1, &SongGrid::DblClick, this, &SongList::startInPlaceEdit);
    form.txtEdit->installEventFilter(this);
    form.txtEdit->installEventFilter(new SelectAllOnFocus(this));
    connect(form.txtEdit, &QLineEdit::returnPressed, form.MSFlexGrid1,
            [&form] { form.MSFlexGrid1->setFocus(); });  // leaving the editor commits it
}

void SongList::prepareHeader() {
    SongGrid* grid = form_.MSFlexGrid1;
    grid->setTextMatrix(0, 0, QStringLiteral("Pattern-Name"));
    grid->setTextMatrix(0, 1, QStringLiteral("loops"));
    grid->setTextMatrix(0, 2, QStringLiteral("BPM"));
    grid->setColWidth(1, kNumberColumnWidth);
    grid->setColWidth(2, kNumberColumnWidth);
    const double listWidth = sys::TwipsGeometry::of(grid).width();
    grid->setColWidth(0, listWidth - 2 * kNumberColumnWidth - kListMargin);
    grid->setColAlignment(0, SongGrid::kAlignLeftCenter);
    grid->setRow(1);
}

int SongList::songRows() const {
    return form_.MSFlexGrid1->rows() - 1;
}

namespace {
constexpr EditJournal::Scope kSong = EditJournal::PatternAndSong;
// The steps of the in-place editor, named after the column edited.
const char* const kColumnSteps[] = {"Pattern-Name", "loops", "BPM"};
}  // namespace

// A record holds 30 instrument rows and 30 steps; the rest of a larger pattern stays out.
void SongList::StorePattern(int slot) {
    StoredPattern& record = form_.PatternStore[slot];
    record.Name = form_.txtPatNam->text();
    record.BPM = StoredPattern::fieldValue(numericValue(form_.txtBPM->text()));
    record.Takt = StoredPattern::fieldValue(numericValue(form_.txtTakt->text()));
    record.SubDivs = StoredPattern::fieldValue(numericValue(form_.txtSubdivs->text()));
    const int rows = form_.rowCount(), steps = record.stepCount();
    for (int i = 1; i <= std::min(rows, StoredPattern::kMaxIndex); ++i) {
        const QString tag = form_.Label(i) ? form_.Label(i)->tag() : QString();
        record.Notes[i] = StoredPattern::fieldValue(numericValue(tag));
        for (int j = 1; j <= std::min(steps, StoredPattern::kMaxIndex); ++j)
            if (j < form_.checkArrayCount()) record.setCell(i, j, form_.checkArray(j)->value(i));
    }
    if (rows > StoredPattern::kMaxIndex || steps > StoredPattern::kMaxIndex)
        sys::Dialogs::current().message(QStringLiteral(
            "Nur die ersten 30 Schritte und 30 Instrumente werden in den Song übernommen."));
}

// Rows are matched by note; a row without a note matches nothing and keeps its levels.
void SongList::LoadStoredPattern(int slot) {
    const StoredPattern record = form_.PatternStore[slot];
    putFieldText(form_.txtTakt, QString::number(record.Takt));
    putFieldText(form_.txtBPM, QString::number(record.BPM));
    putFieldText(form_.txtSubdivs, QString::number(record.SubDivs));
    form_.txtPatNam->setText(record.Name);
    const int steps = std::min(record.stepCount(), form_.checkArrayCount() - 1);
    for (int r = 1; r <= form_.rowCount() && r < form_.labelCount(); ++r) {
        const QString tag = form_.Label(r)->tag();
        if (tag.trimmed().isEmpty()) continue;
        for (int k = 1; k <= StoredPattern::kMaxIndex; ++k) {
            if (numericValue(tag) != record.Notes[k]) continue;
            for (int j = 1; j <= steps; ++j)
                form_.checkArray(j)->setValue(r, std::min(record.cell(k, j), 3));
        }
    }
}

void SongList::InsertSongRow() {
    SongGrid* grid = form_.MSFlexGrid1;
    const int row = grid->row();
    if (!form_.PatternStore.insertSongRow(row, songRows())) {
        sys::Dialogs::current().message(
            QStringLiteral("Der Song kann höchstens 30 Pattern enthalten."));
        return;
    }
    grid->addItem(form_.PatternStore[0].Name, row);
    showRecord(row);
    grid->setRow(row);
}

void SongList::showRecord(int row) {
    const StoredPattern& record = form_.PatternStore[row];
    form_.MSFlexGrid1->setTextMatrix(row, 0, record.Name);
    form_.MSFlexGrid1->setTextMatrix(row, 1, QString::number(record.Loops));
    form_.MSFlexGrid1->setTextMatrix(row, 2, QString::number(record.BPM));
}

void SongList::cmdAddPatt_Click() {
    EditStep step(form_.edits, QStringLiteral("Ins Pat"), kSong);
    StorePattern(0);
    InsertSongRow();
}

void SongList::setEditing(bool editing) {
    form_.MSFlexGrid1->setEnabled(!editing);
    form_.cmdCancEd->setVisible(editing);
    form_.cmdCancEd->setEnabled(editing);
}

void SongList::cmdEditPat_Click() {
    const int row = form_.MSFlexGrid1->row();
    const bool entering = form_.cmdEditPat->isChecked();
    EditStep step(form_.edits,
                  entering ? QStringLiteral("Edit") : QStringLiteral("Edit übernehmen"), kSong);
    if (entering) {
        StorePattern(0);  // the pattern on screen waits in record 0
        LoadStoredPattern(row);
        setEditing(true);
        return;
    }
    StorePattern(row);
    setEditing(false);
    form_.MSFlexGrid1->setTextMatrix(row, 0, form_.PatternStore[row].Name);
    LoadStoredPattern(0);
}

void SongList::cmdCancEd_Click() {
    EditStep step(form_.edits, QStringLiteral("Cancel"), kSong);
    setEditing(false);
    form_.cmdEditPat->setChecked(false);  // released without committing
    LoadStoredPattern(0);
}

void SongList::MnuCopy_Click() {
    EditStep step(form_.edits, QStringLiteral("Copy"), kSong);
    form_.PatternClipboard = form_.PatternStore[form_.MSFlexGrid1->row()];
    form_.txtPatClipboard->setText(form_.PatternClipboard.Name);
}

// The list keeps at least one song row: cutting the only one leaves it empty.
void SongList::MnuCut_Click() {
    EditStep step(form_.edits, QStringLiteral("Cut"), kSong);
    SongGrid* grid = form_.MSFlexGrid1;
    const int row = grid->row(), rows = songRows();
    form_.PatternClipboard = form_.PatternStore[row];
    form_.txtPatClipboard->setText(form_.PatternClipboard.Name);
    form_.PatternStore.removeSongRow(row, rows);
    if (rows == 1) {
        for (int c = 0; c < grid->columnCount(); ++c) grid->setTextMatrix(1, c, QString());
        return;
    }
    grid->removeItem(row);
    grid->setRow(std::min(row, songRows()));
}

void SongList::MnuInsert_Click() {
    EditStep step(form_.edits, QStringLiteral("Insert"), kSong);
    form_.PatternStore[0] = form_.PatternClipboard;
    InsertSongRow();
}

void SongList::KeyPress(int keyAscii) {
    if (keyAscii == kCopyKey) MnuCopy_Click();
    if (keyAscii == kInsertKey) MnuInsert_Click();
    if (keyAscii == kCutKey) MnuCut_Click();
}

void SongList::startInPlaceEdit() {
    SongGrid* grid = form_.MSFlexGrid1;
    const QRectF gridAt = sys::TwipsGeometry::of(grid);
    const QRectF cell = grid->cellRect(grid->row(), grid->col());
    sys::TwipsGeometry::set(form_.FrameText, gridAt.x() + cell.x() + kEditorLeft,
                            gridAt.y() + cell.y() + kEditorTop, cell.width(), cell.height());
    sys::TwipsGeometry::set(form_.txtEdit, 0, 0, cell.width(), cell.height());
    form_.EditRow = qint16(grid->row());
    form_.EditCol = qint16(grid->col());
    form_.txtEdit->setText(grid->textMatrix(grid->row(), grid->col()));
    form_.FrameText->show();
    form_.FrameText->raise();
    form_.txtEdit->setFocus();
    form_.txtEdit->selectAll();
}

void SongList::commitInPlaceEdit() {
    EditStep step(form_.edits,
                  QString::fromUtf8(kColumnSteps[std::clamp<int>(form_.EditCol, 0, 2)]), kSong);
    const QString text = form_.txtEdit->text();
    form_.MSFlexGrid1->setTextMatrix(form_.EditRow, form_.EditCol, text);
    StoredPattern& record = form_.PatternStore[std::clamp<int>(form_.EditRow, 1, 30)];
    const qint16 number = StoredPattern::fieldValue(numericValue(text));
    if (form_.EditCol == 0) record.Name = text;
    if (form_.EditCol == 1) record.Loops = number;
    if (form_.EditCol == 2) record.BPM = number;
    form_.FrameText->hide();
}

bool SongList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_.txtEdit && event->type() == QEvent::FocusOut &&
        form_.FrameText->isVisible())
        commitInPlaceEdit();
    return false;
}
