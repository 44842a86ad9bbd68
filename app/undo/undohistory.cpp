#include "undohistory.h"

#include "form1.h"
#include "pattern/gridgeometry.h"
#include "pattern/patternview.h"
#include "undo/cellcommand.h"
#include "undo/snapshotcommand.h"
#include "views/checkarray.h"
#include "views/mainmenubar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// The steps' texts for the fields, in the order of Pattern::Field.
const char* const kFieldSteps[] = {
    QT_TRANSLATE_NOOP("UndoHistory", "Takt"),    QT_TRANSLATE_NOOP("UndoHistory", "Taktnenner"),
    QT_TRANSLATE_NOOP("UndoHistory", "SubDivs"), QT_TRANSLATE_NOOP("UndoHistory", "Ticks"),
    QT_TRANSLATE_NOOP("UndoHistory", "BPM"),     QT_TRANSLATE_NOOP("UndoHistory", "Pattern-Name")};

QString actionText(const QString& action, const QString& step) {
    return step.isEmpty() ? action : action + QStringLiteral(": ") + step;
}

}  // namespace

UndoHistory::UndoHistory(Form1& form, GridGeometry& geometry, PatternView& view, SongList& songList)
    : form_(form), view_(view), songList_(songList) {
    stack_.setUndoLimit(kLimit);
    connect(&geometry, &GridGeometry::columnCreated, this, &UndoHistory::watchColumn);
    for (int c = 1; c < form.checkArrayCount(); ++c) watchColumn(form.checkArray(c));
    for (int f = 0; f < Pattern::kFieldCount; ++f) watchField(view.field(Pattern::Field(f)), f);
    connect(&form.edits, &EditJournal::stepOpened, this, &UndoHistory::stepOpened);
    connect(&form.edits, &EditJournal::stepClosed, this, &UndoHistory::stepClosed);
    connectActions();
}

void UndoHistory::clear() {
    stack_.clear();
    open_.reset();
}

void UndoHistory::connectActions() {
    connect(form_.Menus->MnuUndo, &QAction::triggered, &stack_, &QUndoStack::undo);
    connect(form_.Menus->MnuRedo, &QAction::triggered, &stack_, &QUndoStack::redo);
    connect(&stack_, &QUndoStack::canUndoChanged, form_.Menus->MnuUndo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, form_.Menus->MnuRedo, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::undoTextChanged, this, [this](const QString& step) {
        form_.Menus->MnuUndo->setText(actionText(tr("Rückgängig"), step));
    });
    connect(&stack_, &QUndoStack::redoTextChanged, this, [this](const QString& step) {
        form_.Menus->MnuRedo->setText(actionText(tr("Wiederholen"), step));
    });
}

void UndoHistory::watchColumn(CheckArray* column) {
    connect(column, &CheckArray::levelClicked, this,
            [this, column](int row, int previous, int clickMode) {
                cellClicked(column, row, previous, clickMode);
            });
}

void UndoHistory::watchField(QLineEdit* field, int index) {
    lastText_[field] = field->text();
    connect(field, &QLineEdit::textEdited, this,
            [this, field, index] { fieldEdited(field, index); });
    connect(field, &QLineEdit::textChanged, this, [this, field] { fieldChanged(field); });
    field->installEventFilter(this);
}

bool UndoHistory::isRecording() const {
    return !restoring_ && !open_;
}

void UndoHistory::cellClicked(CheckArray* column, int row, int previous, int clickMode) {
    if (!isRecording()) return;
    int index = 1;
    while (index < form_.checkArrayCount() && form_.checkArray(index) != column) ++index;
    if (index < form_.checkArrayCount())
        stack_.push(new CellCommand(view_, index, row, previous, column->value(row), clickMode));
}

// A field's text has been typed but its change handlers have not run yet: apart from the
// field itself, the screen still shows the state before the keystroke.
void UndoHistory::fieldEdited(QLineEdit* field, int index) {
    if (!isRecording()) return;
    OpenStep step{tr(kFieldSteps[index]), typing_, EditState::capture(view_, songList_, false),
                  field};
    step.before.pattern().setTextOnly(Pattern::Field(index), lastText_.value(field));
    open_ = std::move(step);
}

// Connected after the grid geometry's handlers, so the grid has followed the text.
void UndoHistory::fieldChanged(QLineEdit* field) {
    lastText_[field] = field->text();
    if (open_ && open_->field == field) stepClosed();
}

void UndoHistory::stepOpened(const QString& text, EditJournal::Scope scope, int mergeKey) {
    if (!isRecording()) return;
    const bool withSong = scope == EditJournal::PatternAndSong;
    open_ =
        OpenStep{text, mergeKey, EditState::capture(view_, songList_, withSong), nullptr, withSong};
}

// A step that changed nothing (a cancelled dialog, an insert into a full song) is not kept.
void UndoHistory::stepClosed() {
    if (!open_) return;
    OpenStep step = std::move(*open_);
    open_.reset();
    EditState after = EditState::capture(view_, songList_, step.withSong);
    if (after == step.before) return;
    after.shareSong(step.before);
    if (const auto* last = dynamic_cast<const SnapshotCommand*>(stack_.command(stack_.index() - 1)))
        step.before.shareSong(last->after());
    const auto restore = [this](const EditState& state) { this->restore(state); };
    stack_.push(new SnapshotCommand(step.text, step.mergeKey, std::move(step.before),
                                    std::move(after), restore));
}

// An undo or redo ends the typing in progress: the next keystroke is a step of its own.
void UndoHistory::restore(const EditState& state) {
    restoring_ = true;
    state.restore(view_, songList_);
    restoring_ = false;
    ++typing_;
}

// The window's undo keys reach the history also from a pattern field, whose own undo would
// otherwise take them; leaving a field ends its typing.
bool UndoHistory::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::FocusOut) ++typing_;
    if (!isHistoryKey(event)) return false;
    event->ignore();
    return true;
}

bool UndoHistory::isHistoryKey(const QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const QKeySequence pressed(static_cast<const QKeyEvent*>(event)->keyCombination());
    for (const QAction* action : {form_.Menus->MnuUndo, form_.Menus->MnuRedo})
        if (action->shortcuts().contains(pressed)) return true;
    return false;
}
