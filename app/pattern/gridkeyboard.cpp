#include "gridkeyboard.h"

#include "form1.h"
#include "pattern/gridgeometry.h"
#include "shared/checkarray.h"
#include "tapcell/tapcell.h"

#include <QApplication>

GridKeyboard::GridKeyboard(Form1& form, GridGeometry& geometry) : form_(form) {
    connect(&geometry, &GridGeometry::columnCreated, this, &GridKeyboard::columnCreated);
    connect(qApp, &QApplication::focusChanged, this, &GridKeyboard::focusChanged);
}

// Cells are reached by a click or the arrows; only the entry cell is a Tab stop.
void GridKeyboard::columnCreated(CheckArray* column) {
    for (int row = 1; row <= column->nElements(); ++row)
        column->cell(row)->setFocusPolicy(Qt::ClickFocus);
    connect(column, &CheckArray::moveAcrossRequested, this,
            [this, column](int row, int direction) { moveAcross(column, row, direction); });
    if (!entry_) makeEntry(column->cell(1));
}

void GridKeyboard::moveAcross(const CheckArray* column, int row, int direction) {
    const int step = GridGeometry::stepOf(form_, column) + direction;
    if (step >= 1 && step < form_.checkArrayCount()) form_.checkArray(step)->focusRow(row);
}

void GridKeyboard::focusChanged(QWidget*, QWidget* now) {
    auto* cell = qobject_cast<Tapcell*>(now);
    const auto* column = cell ? qobject_cast<CheckArray*>(cell->parentWidget()) : nullptr;
    if (column && GridGeometry::stepOf(form_, column) != 0) makeEntry(cell);
}

void GridKeyboard::makeEntry(Tapcell* cell) {
    if (cell == entry_) return;
    if (entry_) {
        entry_->setFocusPolicy(Qt::ClickFocus);
        disconnect(entry_, &QObject::destroyed, this, nullptr);
    }
    entry_ = cell;
    cell->setFocusPolicy(Qt::StrongFocus);
    form_.orderTabStops(cell);
    // Its column may go with a smaller step count; the grid then needs a new entry, once
    // the rebuild is over.
    connect(cell, &QObject::destroyed, this, &GridKeyboard::chooseEntryAgain, Qt::QueuedConnection);
}

void GridKeyboard::chooseEntryAgain() {
    if (!entry_ && form_.checkArrayCount() > 1) makeEntry(form_.checkArray(1)->cell(1));
}
