#include "gridnames.h"

#include "form1.h"
#include "pattern/gridgeometry.h"
#include "views/checkarray.h"
#include "views/taglabel.h"

GridNames::GridNames(Form1& form, GridGeometry& geometry) : form_(form) {
    connect(&geometry, &GridGeometry::columnCreated, this, &GridNames::nameColumn);
}

QString GridNames::cellName(const QString& instrument, int step) {
    const QString stepName = tr("Schritt %1").arg(step);
    return instrument.isEmpty() ? stepName : instrument + QStringLiteral(", ") + stepName;
}

void GridNames::nameAllCells() {
    for (int step = 1; step < form_.checkArrayCount(); ++step) form_.checkArray(step)->nameCells();
}

// The instrument is looked up each time the column names its cells, so renamed rows are
// picked up by nameAllCells().
void GridNames::nameColumn(CheckArray* column) {
    const int step = GridGeometry::stepOf(form_, column);
    column->setAccessibleName(tr("Schritt %1").arg(step));
    column->setCellNamer([&form = form_, step](int row) {
        const TagLabel* label = form.Label(row);
        return cellName(label ? label->text() : QString(), step);
    });
}
