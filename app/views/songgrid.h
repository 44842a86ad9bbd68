#pragma once

#include <QColor>
#include <QRectF>
#include <QTableWidget>

// The song list as a grid with one fixed header row: row 0 holds the column captions,
// rows 1..rows()-1 the song. Column widths and cell positions are in twips. The current
// cell is never in the header row.
class SongGrid : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int kAlignLeftCenter = 1;

    explicit SongGrid(int cols, QWidget* parent = nullptr);

    int rows() const { return rowCount() + 1; }
    void setRows(int rows);
    // The current cell; a row outside 1..rows()-1 or a column outside the grid is ignored.
    int row() const;
    void setRow(int row);
    int col() const;
    void setCol(int col);
    // Inserts a song row before `row` (rows()-1 + 1 appends) with text in column 0.
    void addItem(const QString& text, int row);
    void removeItem(int row);
    void setCellBackColor(int row, int col, const QColor& color);
    QColor cellBackColor(int row, int col) const;
    // A cell's place inside the grid, in twips from the grid's top left corner.
    QRectF cellRect(int row, int col) const;
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    double colWidth(int col) const;
    void setColWidth(int col, double twips);
    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);

signals:
    void DblClick();
    // A key typed in the grid, as its character code (Ctrl+C is 3, Ctrl+V 22, Ctrl+X 24).
    void KeyPress(int keyAscii);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* itemAt(int row, int col);
    Qt::Alignment alignmentOf(int col) const;

    void fitHeader();

    QList<double> colWidths_;
    QList<int> colAlignments_;
};
