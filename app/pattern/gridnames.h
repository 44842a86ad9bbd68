#pragma once

#include <QObject>
#include <QString>

class CheckArray;
class Form1;
class GridGeometry;

// Names every cell of the grid for screen readers after its instrument row and its step,
// "Snare, Schritt 5", and every step column after its step.
class GridNames : public QObject {
    Q_OBJECT

public:
    // Names each step column as it is made.
    GridNames(Form1& form, GridGeometry& geometry);

    // Names all cells again, after the instrument rows were named.
    void nameAllCells();

    // The name of a cell; without an instrument name only the step.
    static QString cellName(const QString& instrument, int step);

private:
    void nameColumn(CheckArray* column);

    Form1& form_;
};
