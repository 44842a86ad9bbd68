#include "gridgeometry.h"

#include "form1.h"
#include "shared/checkarray.h"
#include "shared/lineview.h"
#include "shared/numericvalue.h"
#include "shared/selectallonfocus.h"
#include "system/twipsgeometry.h"

#include <QGroupBox>
#include <QLineEdit>
#include <cmath>

namespace {
double columnWidth(const Form1& form) {
    return sys::TwipsGeometry::of(form.checkArray(0)).width();
}
}  // namespace

GridGeometry::GridGeometry(Form1& form) : form_(form) {
    connect(form.txtSpalt, &QLineEdit::textChanged, this, &GridGeometry::RebuildGrid);
    connect(form.txtTakt, &QLineEdit::textChanged, this, &GridGeometry::updateStepCount);
    connect(form.txtSubdivs, &QLineEdit::textChanged, this, &GridGeometry::updateStepCount);
    connect(&form, &Form1::resized, this, &GridGeometry::keepSongFrameAtRightEdge);
    auto* selectAll = new SelectAllOnFocus(this);
    form.txtTakt->installEventFilter(selectAll);
    form.txtSubdivs->installEventFilter(selectAll);
}

int GridGeometry::columnCount(double steps) {
    if (!(steps > 0)) return 0;
    return steps >= kMaxColumns ? kMaxColumns : int(std::floor(steps));
}

int GridGeometry::stepOf(const Form1& form, const CheckArray* column) {
    for (int step = 1; step < form.checkArrayCount(); ++step)
        if (form.checkArray(step) == column) return step;
    return 0;
}

void GridGeometry::RebuildGrid() {
    placeBeatLines();
    adjustColumns();
}

void GridGeometry::updateStepCount() {
    const double product =
        numericValue(form_.txtTakt->text()) * numericValue(form_.txtSubdivs->text());
    const QString text = shortestDecimal(product);
    if (form_.txtSpalt->text() == text)
        RebuildGrid();  // no change of the text, but the beat lines and width may be stale
    else
        form_.txtSpalt->setText(text);
}

void GridGeometry::recordLayoutWidths() {
    form_.SongFrameOffset = form_.formWidth() - sys::TwipsGeometry::of(form_.frmSong).x();
    form_.StartFormWidth = form_.formWidth();
    form_.StartFrame1Width = sys::TwipsGeometry::of(form_.Frame1).width();
}

void GridGeometry::keepSongFrameAtRightEdge() {
    sys::TwipsGeometry::setLeft(form_.frmSong, form_.formWidth() - form_.SongFrameOffset);
}

// Beat line i stands at the end of beat i; only twelve lines exist, so a bar of more
// than twelve beats shows its first twelve.
void GridGeometry::placeBeatLines() {
    if (form_.Line1(Form1::kBeatLines) == nullptr) return;  // not made yet
    const double beats = numericValue(form_.txtTakt->text());
    const double steps = numericValue(form_.txtSubdivs->text());
    const LineView* reference = form_.Line1(0);
    const double w = columnWidth(form_);
    for (int i = 1; i <= Form1::kBeatLines && i <= beats; ++i) {
        const double x = reference->x1() + i * steps * w;
        form_.Line1(i)->setPoints(x, reference->y1(), x, reference->y2());
    }
    for (int i = 1; i <= Form1::kBeatLines; ++i) form_.Line1(i)->setVisible(i <= beats);
}

void GridGeometry::adjustColumns() {
    const int wanted = columnCount(numericValue(form_.txtSpalt->text()));
    while (form_.checkArrayCount() - 1 > wanted) form_.destroyLastColumn();
    while (form_.checkArrayCount() - 1 < wanted)
        emit columnCreated(form_.createColumn(form_.checkArrayCount()));
    adjustWidths(wanted);
}

// The window grows with the grid beyond sixteen steps; a width given by hand is replaced.
void GridGeometry::adjustWidths(int columns) {
    const double extra =
        columns > kStartColumns ? columnWidth(form_) * (columns - kStartColumns) : 0;
    form_.setFormWidth(form_.StartFormWidth + extra);
    sys::TwipsGeometry::setWidth(form_.Frame1, form_.StartFrame1Width + extra);
}
