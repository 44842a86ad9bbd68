#include "lineview.h"

#include "system/twips.h"

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
    const int left = sys::twipsToPixels(std::min(x1, x2));
    const int top = sys::twipsToPixels(std::min(y1, y2));
    const int right = sys::twipsToPixels(std::max(x1, x2));
    const int bottom = sys::twipsToPixels(std::max(y1, y2));
    setGeometry(left, top, right - left + 1, bottom - top + 1);
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
