#include "songlist.h"

#include "form1.h"
#include "pattern/patternview.h"
#include "shared/editstep.h"
#include "shared/numericvalue.h"
#include "song/patternrecord.h"
#include "system/dialogs.h"
#include "system/twipsgeometry.h"
#include "views/fieldtext.h"
#include "views/selectallonfocus.h"
#include "views/songgrid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLineEdit>

namespace {
constexpr int kCopyKey = 3, kInsertKey = 22, kCutKey = 24;
// The in-place editor sits this far inside the cell it edits.
constexpr double kEditorLeft = 50, kEditorTop = 30;
}  // namespace

SongList::SongList(Form1& form, PatternView& patternView) : form_(form), patternView_(patternView) {
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
    grid->setTextMatrix(0, 0, tr("Pattern-Name"));
    grid->setTextMatrix(0, 1, tr("loops"));
    grid->setTextMatrix(0, 2, tr("BPM"));
    grid->setColWidth(1, kNumberColumnWidth);
    grid->setColWidth(2, kNumberColumnWidth);
    const double listWidth = sys::TwipsGeometry::of(grid).width();
    grid->setColWidth(0, listWidth - 2 * kNumberColumnWidth - kListMargin);
    grid->setColAlignment(0, SongGrid::kAlignLeftCenter);
    grid->setRow(1);
    song_.rows = songRows();
}

int SongList::songRows() const {
    return form_.MSFlexGrid1->rows() - 1;
}

// The list gets the song's row count, though never more rows than the store has records.
void SongList::setSong(const Song& song) {
    form_.FrameText->hide();  // an open edit belongs to the rows being replaced
    song_ = song;
    form_.MSFlexGrid1->setRows(song.songRows() + 1);
    for (int row = 1; row <= song.songRows(); ++row) showRecord(row);
}

SongList::Shown SongList::shown() const {
    Shown shown;
    const SongGrid* grid = form_.MSFlexGrid1;
    for (int r = 1; r < grid->rows(); ++r) {
        QStringList texts;
        for (int c = 0; c < grid->columnCount(); ++c) texts << grid->textMatrix(r, c);
        shown.rows << texts;
    }
    shown.currentRow = grid->row();
    return shown;
}

void SongList::restore(const Song& song, const Shown& shown) {
    form_.FrameText->hide();
    song_ = song;
    SongGrid* grid = form_.MSFlexGrid1;
    grid->setRows(int(shown.rows.size()) + 1);
    for (int r = 1; r <= shown.rows.size(); ++r)
        for (int c = 0; c < shown.rows[r - 1].size(); ++c)
            grid->setTextMatrix(r, c, shown.rows[r - 1][c]);
    grid->setRow(shown.currentRow);
}

void SongList::setClipboard(const PatternClipboard& clipboard) {
    clipboard_ = clipboard;
    form_.txtPatClipboard->setText(clipboard.Name);
}

namespace {
constexpr EditJournal::Scope kSong = EditJournal::PatternAndSong;
// The steps of the in-place editor, named after the column edited.
const char* const kColumnSteps[] = {QT_TRANSLATE_NOOP("SongList", "Pattern-Name"),
                                    QT_TRANSLATE_NOOP("SongList", "loops"),
                                    QT_TRANSLATE_NOOP("SongList", "BPM")};
}  // namespace

void SongList::StorePattern(int slot) {
    if (!patternrecord::store(patternView_.pattern(), &song_.store[slot]))
        sys::Dialogs::current().message(
            tr("Nur die ersten 30 Schritte und 30 Instrumente werden in den Song übernommen."));
}

void SongList::LoadStoredPattern(int slot) {
    Pattern pattern = patternView_.pattern();
    patternrecord::load(song_.store[slot], &pattern);
    patternView_.show(pattern);
}

void SongList::InsertSongRow() {
    SongGrid* grid = form_.MSFlexGrid1;
    const int row = grid->row();
    if (!song_.store.insertSongRow(row, songRows())) {
        sys::Dialogs::current().message(tr("Der Song kann höchstens 30 Pattern enthalten."));
        return;
    }
    grid->addItem(song_.store[0].Name, row);
    song_.rows = songRows();
    showRecord(row);
    grid->setRow(row);
    if (editedRecord_ >= row) ++editedRecord_;  // the stored pattern being edited moved down
    emit rowInserted(row);
}

void SongList::showRecord(int row) {
    const StoredPattern& record = song_.store[row];
    form_.MSFlexGrid1->setTextMatrix(row, 0, record.Name);
    form_.MSFlexGrid1->setTextMatrix(row, 1, QString::number(record.Loops));
    form_.MSFlexGrid1->setTextMatrix(row, 2, QString::number(record.BPM));
}

// The current song row; false when the list has none.
bool SongList::currentRow(int* row) {
    finishInPlaceEdit();
    *row = form_.MSFlexGrid1->row();
    return songRows() > 0 && *row >= 1 && *row <= songRows();
}

void SongList::cmdAddPatt_Click() {
    finishInPlaceEdit();
    EditStep step(form_.edits, tr("Ins Pat"), kSong);
    StorePattern(0);
    InsertSongRow();
}

void SongList::setEditing(bool editing) {
    form_.MSFlexGrid1->setEnabled(!editing);
    form_.cmdCancEd->setVisible(editing);
    form_.cmdCancEd->setEnabled(editing);
    form_.cmdCut->setEnabled(!editing);  // the row being edited stays
}

void SongList::setEditedRecord(int record) {
    editedRecord_ = record;
    form_.cmdEditPat->setChecked(record != 0);
    setEditing(record != 0);
}

void SongList::cmdEditPat_Click() {
    const bool entering = form_.cmdEditPat->isChecked();
    int row = editedRecord_;
    if (entering && !currentRow(&row)) {
        form_.cmdEditPat->setChecked(false);  // no row to edit
        return;
    }
    if (!entering && row == 0) return setEditedRecord(0);  // nothing is being edited
    EditStep step(form_.edits, entering ? tr("Edit") : tr("Edit übernehmen"), kSong);
    if (entering) {
        StorePattern(0);  // the pattern on screen waits in record 0
        LoadStoredPattern(row);
        setEditedRecord(row);
        return;
    }
    StorePattern(row);
    setEditedRecord(0);
    form_.MSFlexGrid1->setTextMatrix(row, 0, song_.store[row].Name);
    LoadStoredPattern(0);
}

void SongList::cmdCancEd_Click() {
    EditStep step(form_.edits, tr("Cancel"), kSong);
    setEditedRecord(0);  // released without committing
    LoadStoredPattern(0);
}

void SongList::MnuCopy_Click() {
    int row = 0;
    if (!currentRow(&row)) return;
    EditStep step(form_.edits, tr("Copy"), kSong);
    setClipboard(song_.store[row]);
}

// The list keeps at least one song row: cutting the only one leaves it empty. The row of a
// stored pattern being edited stays; rows above it may go.
void SongList::MnuCut_Click() {
    int row = 0;
    if (!currentRow(&row) || row == editedRecord_) return;
    EditStep step(form_.edits, tr("Cut"), kSong);
    SongGrid* grid = form_.MSFlexGrid1;
    const int rows = songRows();
    setClipboard(song_.store[row]);
    song_.store.removeSongRow(row, rows);
    if (row < editedRecord_) --editedRecord_;
    if (rows == 1) {
        for (int c = 0; c < grid->columnCount(); ++c) grid->setTextMatrix(1, c, QString());
        emit rowRemoved(row);
        return;
    }
    grid->removeItem(row);
    song_.rows = songRows();
    grid->setRow(std::min(row, songRows()));
    emit rowRemoved(row);
}

void SongList::MnuInsert_Click() {
    finishInPlaceEdit();
    EditStep step(form_.edits, tr("Insert"), kSong);
    song_.store[0] = clipboard_;
    InsertSongRow();
}

void SongList::KeyPress(int keyAscii) {
    if (keyAscii == kCopyKey) MnuCopy_Click();
    if (keyAscii == kInsertKey) MnuInsert_Click();
    if (keyAscii == kCutKey) MnuCut_Click();
}

// The loop cell may show the passes a stopped song counted down to: the editor starts from
// the record's loop count.
void SongList::startInPlaceEdit() {
    SongGrid* grid = form_.MSFlexGrid1;
    if (songRows() < 1) return;
    const QRectF gridAt = sys::TwipsGeometry::of(grid);
    const QRectF cell = grid->cellRect(grid->row(), grid->col());
    sys::TwipsGeometry::set(form_.FrameText, gridAt.x() + cell.x() + kEditorLeft,
                            gridAt.y() + cell.y() + kEditorTop, cell.width(), cell.height());
    sys::TwipsGeometry::set(form_.txtEdit, 0, 0, cell.width(), cell.height());
    editRow_ = grid->row();
    editCol_ = grid->col();
    form_.txtEdit->setText(editCol_ == 1 ? QString::number(song_.store[editRow_].Loops)
                                         : grid->textMatrix(editRow_, editCol_));
    form_.FrameText->show();
    form_.FrameText->raise();
    form_.txtEdit->setFocus();
    form_.txtEdit->selectAll();
}

void SongList::finishInPlaceEdit() {
    if (form_.FrameText->isVisible()) commitInPlaceEdit();
}

void SongList::commitInPlaceEdit() {
    form_.FrameText->hide();
    if (editRow_ < 1 || editRow_ > songRows()) return;
    EditStep step(form_.edits, tr(kColumnSteps[std::clamp(editCol_, 0, 2)]), kSong);
    const QString text = form_.txtEdit->text();
    form_.MSFlexGrid1->setTextMatrix(editRow_, editCol_, text);
    StoredPattern& record = song_.store[std::clamp(editRow_, 1, PatternStore::kMaxSongRows)];
    const qint16 number = StoredPattern::fieldValue(numericValue(text));
    if (editCol_ == 0) record.Name = text;
    if (editCol_ == 1) record.Loops = number;
    if (editCol_ == 2) record.BPM = number;
}

bool SongList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_.txtEdit && event->type() == QEvent::FocusOut &&
        form_.FrameText->isVisible())
        commitInPlaceEdit();
    return false;
}
