#include "lineview.h"

#include "system/twips.h"
#include "system/twipsgeometry.h"

#include <QPainter>
#include <algorithm>

LineView::LineView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineView::setPoints(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    // One pixel more than the distance, so a straight line has a width to be drawn in.
    const double pixel = sys::kTwipsPerPixel;
    sys::TwipsGeometry::set(this, std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + pixel,
                            std::abs(y2 - y1) + pixel);
    update();
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int w = width() - 1, h = height() - 1;
    const bool falling = (x2_ - x1_) * (y2_ - y1_) >= 0;
    if (falling)
        painter.drawLine(0, 0, w, h);
    else
        painter.drawLine(0, h, w, 0);
}
