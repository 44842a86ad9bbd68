#include "songgrid.h"

#include "captionheader.h"
#include "system/twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

SongGrid::SongGrid(int cols, QWidget* parent)
    : QTableWidget(parent), colWidths_(cols, 0), colAlignments_(cols, 0) {
    setHorizontalHeader(new CaptionHeader(Qt::Horizontal, this));  // before it has sections
    setColumnCount(cols);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);  // the arrows move between cells; Tab goes on to the next view
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
    if (row == 0) fitHeader();
}

double SongGrid::colWidth(int col) const {
    return colWidths_.value(col);
}

void SongGrid::setColWidth(int col, double twips) {
    if (col < 0 || col >= columnCount()) return;
    colWidths_[col] = twips;
    setColumnWidth(col, qMax(0, sys::twipsToPixels(twips)));
    fitHeader();
}

// The columns keep their widths in twips; a header caption wider than its column makes the
// header's type smaller until every caption fits whole, and shows as its tooltip.
void SongGrid::fitHeader() {
    QHeaderView* header = horizontalHeader();
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2;
    const auto fits = [&](const QFont& font) {
        for (int c = 0; c < columnCount(); ++c) {
            const int room = columnWidth(c) - margins;
            const QString caption = horizontalHeaderItem(c)->text();
            if (room > 0 && QFontMetricsF(font).horizontalAdvance(caption) > room) return false;
        }
        return true;
    };
    QFont fitted = font();
    for (int step = 0; step < 12 && !fits(fitted); ++step) {
        if (fitted.pointSizeF() > 0)
            fitted.setPointSizeF(fitted.pointSizeF() * 0.92);
        else
            fitted.setPixelSize(qMax(1, fitted.pixelSize() - 1));
    }
    header->setFont(fitted);
    for (int c = 0; c < columnCount(); ++c)
        horizontalHeaderItem(c)->setToolTip(horizontalHeaderItem(c)->text());
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

int SongGrid::row() const {
    return qMax(0, currentRow()) + 1;
}

void SongGrid::setRow(int row) {
    if (row >= 1 && row < rows()) setCurrentCell(row - 1, col());
}

int SongGrid::col() const {
    return qMax(0, currentColumn());
}

void SongGrid::setCol(int col) {
    if (col >= 0 && col < columnCount()) setCurrentCell(row() - 1, col);
}

void SongGrid::addItem(const QString& text, int row) {
    const int at = qBound(1, row, rows()) - 1;
    insertRow(at);
    setTextMatrix(at + 1, 0, text);
}

void SongGrid::removeItem(int row) {
    if (row >= 1 && row < rows()) QTableWidget::removeRow(row - 1);
}

void SongGrid::setCellBackColor(int row, int col, const QColor& color) {
    if (row < 1 || row >= rows() || col < 0 || col >= columnCount()) return;
    itemAt(row, col)->setBackground(color);
}

QColor SongGrid::cellBackColor(int row, int col) const {
    const QTableWidgetItem* cell = row >= 1 ? item(row - 1, col) : nullptr;
    return cell && cell->background().style() != Qt::NoBrush ? cell->background().color()
                                                             : QColor(Qt::white);
}

QRectF SongGrid::cellRect(int row, int col) const {
    const QRect inViewport = visualRect(model()->index(row - 1, col));
    const QRect r = inViewport.translated(viewport()->pos());
    return {sys::pixelsToTwips(r.x()), sys::pixelsToTwips(r.y()), sys::pixelsToTwips(r.width()),
            sys::pixelsToTwips(r.height())};
}

void SongGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    emit DblClick();
}

void SongGrid::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        emit KeyPress(event->key() - Qt::Key_A + 1);
    else if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    QTableWidget::keyPressEvent(event);
}
