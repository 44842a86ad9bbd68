#include "gridgeometry.h"

#include "form1.h"
#include "pattern/pattern.h"
#include "shared/numericvalue.h"
#include "system/twips.h"
#include "system/twipsgeometry.h"
#include "views/checkarray.h"
#include "views/lineview.h"
#include "views/selectallonfocus.h"

#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <cmath>

namespace {
// The first step's left edge; steps are shown as far as the frame reaches.
constexpr double kFirstStepLeft = 2280;
constexpr double kScrollTop = 4695, kScrollHeight = 180;

double columnWidth(const Form1& form) {
    return sys::TwipsGeometry::of(form.checkArray(0)).width();
}
}  // namespace

GridGeometry::GridGeometry(Form1& form) : form_(form) {
    connect(form.txtSpalt, &QLineEdit::textChanged, this, &GridGeometry::RebuildGrid);
    connect(form.txtTakt, &QLineEdit::textChanged, this, &GridGeometry::updateStepCount);
    connect(form.txtSubdivs, &QLineEdit::textChanged, this, &GridGeometry::updateStepCount);
    connect(&form, &Form1::resized, this, &GridGeometry::keepSongFrameAtRightEdge);
    connect(form.GridScroll, &QScrollBar::valueChanged, this, &GridGeometry::scrollTo);
    form.Cursor->installEventFilter(this);
    auto* selectAll = new SelectAllOnFocus(this);
    form.txtTakt->installEventFilter(selectAll);
    form.txtSubdivs->installEventFilter(selectAll);
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
    // A line scrolled left of the first step shown is hidden with its steps.
    const double scrolled = form_.GridScroll->value() * w;
    for (int i = 1; i <= Form1::kBeatLines; ++i) {
        const double x = reference->x1() + i * steps * w - scrolled;
        form_.Line1(i)->setVisible(i <= beats && (scrolled == 0 || x >= reference->x1()));
    }
}

void GridGeometry::adjustColumns() {
    const int wanted = Pattern::columnCount(numericValue(form_.txtSpalt->text()));
    while (form_.checkArrayCount() - 1 > wanted) form_.destroyLastColumn();
    while (form_.checkArrayCount() - 1 < wanted)
        emit columnCreated(form_.createColumn(form_.checkArrayCount()));
    adjustWidths(wanted);
}

// The window grows with the grid beyond sixteen steps, up to the width of the screen;
// beyond that the grid scrolls. A width given by hand is replaced.
void GridGeometry::adjustWidths(int columns) {
    const double extra =
        columns > kStartColumns ? columnWidth(form_) * (columns - kStartColumns) : 0;
    const double room = availableWidth();
    const double width = room > form_.StartFormWidth ? std::min(form_.StartFormWidth + extra, room)
                                                     : form_.StartFormWidth + extra;
    form_.setFormWidth(width);
    sys::TwipsGeometry::setWidth(form_.Frame1,
                                 form_.StartFrame1Width + width - form_.StartFormWidth);
    updateScroll(columns);
}

// The screen's width less the frame the window manager adds; 0 where no screen is known.
double GridGeometry::availableWidth() const {
    const QScreen* screen = form_.screen();
    if (!screen) return 0;
    const int frame = form_.frameGeometry().width() - form_.width();
    return sys::pixelsToTwips(screen->availableGeometry().width() - frame);
}

void GridGeometry::updateScroll(int columns) {
    const double w = columnWidth(form_);
    const double room = sys::TwipsGeometry::of(form_.Frame1).width() - kFirstStepLeft;
    visibleColumns_ = std::max(1, int(std::floor(room / w)));
    const int hidden = std::max(0, columns - visibleColumns_);
    QScrollBar* bar = form_.GridScroll;
    sys::TwipsGeometry::set(bar, kFirstStepLeft, kScrollTop, visibleColumns_ * w, kScrollHeight);
    bar->setRange(0, hidden);
    bar->setPageStep(visibleColumns_);
    bar->setVisible(hidden > 0);
    scrollTo(bar->value());
}

// Shows the steps from first + 1 on: the ones before are hidden, the rest move left.
void GridGeometry::scrollTo(int first) {
    const double dx = first * columnWidth(form_);
    for (int c = 1; c < form_.checkArrayCount(); ++c) {
        sys::TwipsGeometry::setScrollX(form_.checkArray(c), dx);
        form_.checkArray(c)->setVisible(c > first);
    }
    for (int i = 1; form_.Line1(i); ++i) sys::TwipsGeometry::setScrollX(form_.Line1(i), dx);
    sys::TwipsGeometry::setScrollX(form_.Cursor, dx);
    if (form_.Line1(Form1::kBeatLines)) placeBeatLines();
}

// The playing step stays in view: the grid turns a page when the cursor leaves it.
void GridGeometry::followCursor() {
    const double w = columnWidth(form_);
    const int column =
        int(std::lround((sys::TwipsGeometry::of(form_.Cursor).x() - kFirstStepLeft) / w)) + 1;
    const int first = form_.GridScroll->value();
    if (column <= first || column > first + visibleColumns_) form_.GridScroll->setValue(column - 1);
}

bool GridGeometry::eventFilter(QObject* watched, QEvent* event) {
    const bool moved = event->type() == QEvent::Move || event->type() == QEvent::Show;
    if (watched == form_.Cursor && moved && form_.Cursor->isVisible() &&
        form_.GridScroll->isVisible())
        followCursor();
    return false;
}
