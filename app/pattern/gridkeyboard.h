#pragma once

#include "tapcell.h"

#include <QObject>
#include <QPointer>

class CheckArray;
class Form1;
class GridGeometry;
class QWidget;

// The grid from the keyboard: Left and Right cross to the same row of the neighbouring
// step, stopping at the first and the last; and the whole grid is a single stop of the Tab
// chain, entered at the cell that had the focus last.
class GridKeyboard : public QObject {
    Q_OBJECT

public:
    GridKeyboard(Form1& form, GridGeometry& geometry);

    // The cell Tab enters the grid at.
    Tapcell* entryCell() const { return entry_; }

private:
    void columnCreated(CheckArray* column);
    void moveAcross(const CheckArray* column, int row, int direction);
    void focusChanged(QWidget* old, QWidget* now);
    void makeEntry(Tapcell* cell);
    void chooseEntryAgain();

    Form1& form_;
    QPointer<Tapcell> entry_;
};
