#include "cellcommand.h"

#include "pattern/patternview.h"
#include "tapcell.h"

#include <QCoreApplication>

namespace {
constexpr int kCellId = 2;
}

CellCommand::CellCommand(PatternView& view, int column, int row, int from, int to, int clickMode)
    : QUndoCommand(textOf(view, column, row)),
      view_(view),
      column_(column),
      row_(row),
      from_(from),
      to_(to),
      doubleClick_(clickMode == Tapcell::DblClickM) {}

QString CellCommand::textOf(const PatternView& view, int column, int row) {
    const QList<Instrument>& rows = view.pattern().instruments();
    // The same text as the cell's accessible name.
    const QString step = QCoreApplication::translate("GridNames", "Schritt %1").arg(column);
    return row >= 1 && row <= rows.size() ? rows[row - 1].name + QStringLiteral(", ") + step : step;
}

void CellCommand::put(int level) {
    Pattern pattern = view_.pattern();
    pattern.setLevel(column_, row_, level);
    view_.show(pattern);
}

void CellCommand::undo() {
    put(from_);
    done_ = false;
}

void CellCommand::redo() {
    if (!done_) put(to_);
    done_ = true;
}

int CellCommand::id() const {
    return kCellId;
}

bool CellCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const CellCommand*>(other);
    if (!next->doubleClick_ || next->column_ != column_ || next->row_ != row_) return false;
    to_ = next->to_;
    setObsolete(to_ == from_);
    return true;
}
