#include "patternview.h"

#include "form1.h"
#include "pattern/gridgeometry.h"
#include "views/checkarray.h"
#include "views/taglabel.h"

#include <QLineEdit>

static_assert(Pattern::kDefaultRows == CheckArray::kDefaultRows);

PatternView::PatternView(Form1& form, GridGeometry& geometry)
    : form_(form), pattern_(form.rowCount()) {
    for (int f = 0; f < Pattern::kFieldCount; ++f) {
        const auto which = Pattern::Field(f);
        pattern_.setTextOnly(which, field(which)->text());
        connect(field(which), &QLineEdit::textChanged, this, [this, which] { followField(which); });
    }
    pattern_.setColumns(form.checkArrayCount() - 1);
    for (int c = 1; c < form.checkArrayCount(); ++c) watchColumn(form.checkArray(c));
    connect(&geometry, &GridGeometry::columnCreated, this, &PatternView::watchColumn);
}

QLineEdit* PatternView::field(Pattern::Field field) const {
    QLineEdit* const fields[] = {form_.txtTakt,  form_.txtTNen, form_.txtSubdivs,
                                 form_.txtSpalt, form_.txtBPM,  form_.txtPatNam};
    return fields[field];
}

// A column is made for the step after the last one; its cells start empty.
void PatternView::watchColumn(CheckArray* column) {
    const int step = form_.checkArrayCount() - 1;
    pattern_.setColumns(step);
    connect(column, &CheckArray::valueChanged, this,
            [this, step](int row, int level) { pattern_.setLevel(step, row, level); });
}

// The grid has followed the text already; columns it destroyed are gone from the pattern.
void PatternView::followField(Pattern::Field which) {
    pattern_.setTextOnly(which, field(which)->text());
    pattern_.setColumns(form_.checkArrayCount() - 1);
}

void PatternView::takeInstrumentLabels() {
    QList<Instrument> instruments;
    for (int r = 1; r < form_.labelCount(); ++r)
        instruments << Instrument{form_.Label(r)->text(), form_.Label(r)->tag()};
    pattern_.setInstruments(instruments);
}

void PatternView::show(const Pattern& pattern) {
    // Only changed texts are put: an unchanged field leaves the grid and the window alone.
    for (int f = 0; f < Pattern::kFieldCount; ++f) {
        QLineEdit* view = field(Pattern::Field(f));
        if (view->text() != pattern.text(Pattern::Field(f)))
            view->setText(pattern.text(Pattern::Field(f)));
    }
    showInstruments(pattern.instruments());
    showLevels(pattern);
}

void PatternView::showInstruments(const QList<Instrument>& instruments) {
    for (int r = 1; r <= instruments.size() && r < form_.labelCount(); ++r) {
        TagLabel* label = form_.Label(r);
        if (label->text() != instruments[r - 1].name) label->setText(instruments[r - 1].name);
        label->setTag(instruments[r - 1].tag);
    }
    pattern_.setInstruments(instruments);
}

void PatternView::showLevels(const Pattern& pattern) {
    for (int c = 1; c < form_.checkArrayCount(); ++c) {
        CheckArray* column = form_.checkArray(c);
        for (int r = 1; r <= column->nElements(); ++r)
            if (column->value(r) != pattern.level(c, r)) column->setValue(r, pattern.level(c, r));
    }
}
