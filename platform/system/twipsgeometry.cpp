#include "twipsgeometry.h"

#include "twips.h"
#include "twipsholder.h"

#include <QWidget>

namespace sys {

namespace {

const char kProperty[] = "twipsGeometry";
const char kScrollProperty[] = "twipsScrollX";

TwipsHolder* holderOf(const QWidget* widget) {
    return dynamic_cast<TwipsHolder*>(const_cast<QWidget*>(widget));
}

}  // namespace

void TwipsGeometry::set(QWidget* widget, double left, double top, double width, double height) {
    const QRectF twips(left, top, width, height);
    TwipsHolder* holder = holderOf(widget);
    if (holder) {
        holder->twips_ = twips;
        holder->twipsChanged();
        left -= holder->scrollX_;
    } else {
        widget->setProperty(kProperty, twips);
        left -= widget->property(kScrollProperty).toDouble();
    }
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    // Edges are rounded, not sizes, so neighbours placed in twips never overlap or gap.
    widget->setGeometry(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

void TwipsGeometry::setLeft(QWidget* widget, double left) {
    const QRectF r = of(widget);
    set(widget, left, r.y(), r.width(), r.height());
}

void TwipsGeometry::setTop(QWidget* widget, double top) {
    const QRectF r = of(widget);
    set(widget, r.x(), top, r.width(), r.height());
}

void TwipsGeometry::setWidth(QWidget* widget, double width) {
    const QRectF r = of(widget);
    set(widget, r.x(), r.y(), width, r.height());
}

void TwipsGeometry::setHeight(QWidget* widget, double height) {
    const QRectF r = of(widget);
    set(widget, r.x(), r.y(), r.width(), height);
}

void TwipsGeometry::setScrollX(QWidget* widget, double twips) {
    const QRectF r = of(widget);
    if (TwipsHolder* holder = holderOf(widget))
        holder->scrollX_ = twips;
    else
        widget->setProperty(kScrollProperty, twips);
    set(widget, r.x(), r.y(), r.width(), r.height());
}

QRectF TwipsGeometry::of(const QWidget* widget) {
    const TwipsHolder* holder = holderOf(widget);
    if (holder && holder->twips_) return *holder->twips_;
    const QVariant stored = holder ? QVariant() : widget->property(kProperty);
    if (stored.isValid()) return stored.toRectF();
    const QRect g = widget->geometry();
    return {pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()),
            pixelsToTwips(g.height())};
}

}  // namespace sys
