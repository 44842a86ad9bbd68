#include "cellcommand.h"

#include "form1.h"
#include "shared/checkarray.h"
#include "shared/taglabel.h"
#include "tapcell/tapcell.h"

namespace {
constexpr int kCellId = 2;
}

CellCommand::CellCommand(Form1& form, int column, int row, int from, int to, int clickMode)
    : QUndoCommand(textOf(form, column, row)),
      form_(form),
      column_(column),
      row_(row),
      from_(from),
      to_(to),
      doubleClick_(clickMode == Tapcell::DblClickM) {}

QString CellCommand::textOf(const Form1& form, int column, int row) {
    const TagLabel* label = form.Label(row);
    const QString step = QStringLiteral("Schritt %1").arg(column);
    return label ? label->text() + QStringLiteral(", ") + step : step;
}

void CellCommand::put(int level) {
    if (CheckArray* column = form_.checkArray(column_)) column->setValue(row_, level);
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
