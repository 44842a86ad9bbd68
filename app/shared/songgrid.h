#pragma once

#include <QTableWidget>

// The song list as a grid with one fixed header row: row 0 holds the column captions,
// rows 1..rows()-1 the song. Column widths are kept in twips.
class SongGrid : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int kAlignLeftCenter = 1;

    explicit SongGrid(int cols, QWidget* parent = nullptr);

    int rows() const { return rowCount() + 1; }
    void setRows(int rows);
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    double colWidth(int col) const;
    void setColWidth(int col, double twips);
    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);

private:
    QTableWidgetItem* itemAt(int row, int col);
    Qt::Alignment alignmentOf(int col) const;

    QList<double> colWidths_;
    QList<int> colAlignments_;
};
