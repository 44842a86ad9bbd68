#include "songgrid.h"

#include "system/twips.h"

#include <QHeaderView>

SongGrid::SongGrid(int cols, QWidget* parent)
    : QTableWidget(0, cols, parent), colWidths_(cols, 0), colAlignments_(cols, 0) {
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int c = 0; c < cols; ++c) setHorizontalHeaderItem(c, new QTableWidgetItem);
}

void SongGrid::setRows(int rows) {
    setRowCount(qMax(0, rows - 1));
}

QTableWidgetItem* SongGrid::itemAt(int row, int col) {
    if (row == 0) return horizontalHeaderItem(col);
    QTableWidgetItem* cell = item(row - 1, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setTextAlignment(alignmentOf(col));
        setItem(row - 1, col, cell);
    }
    return cell;
}

QString SongGrid::textMatrix(int row, int col) const {
    const QTableWidgetItem* cell = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
    return cell ? cell->text() : QString();
}

void SongGrid::setTextMatrix(int row, int col, const QString& text) {
    if (row < 0 || row >= rows() || col < 0 || col >= columnCount()) return;
    itemAt(row, col)->setText(text);
}

double SongGrid::colWidth(int col) const {
    return colWidths_.value(col);
}

void SongGrid::setColWidth(int col, double twips) {
    if (col < 0 || col >= columnCount()) return;
    colWidths_[col] = twips;
    setColumnWidth(col, qMax(0, sys::twipsToPixels(twips)));
}

int SongGrid::colAlignment(int col) const {
    return colAlignments_.value(col);
}

Qt::Alignment SongGrid::alignmentOf(int col) const {
    return colAlignments_.value(col) == kAlignLeftCenter ? Qt::AlignLeft | Qt::AlignVCenter
                                                         : Qt::AlignRight | Qt::AlignVCenter;
}

void SongGrid::setColAlignment(int col, int alignment) {
    if (col < 0 || col >= columnCount()) return;
    colAlignments_[col] = alignment;
    for (int r = 0; r < rowCount(); ++r)
        if (QTableWidgetItem* cell = item(r, col)) cell->setTextAlignment(alignmentOf(col));
}
