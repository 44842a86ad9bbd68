#include "controlwidget.h"

#include "system/twips.h"
#include "system/twipsgeometry.h"

#include <QResizeEvent>

namespace hosting {

ControlWidget::ControlWidget(QWidget* parent) : QWidget(parent) {}

ControlWidget::~ControlWidget() = default;

bool ControlWidget::isUserMode() const {
    return !ambient_ || ambient_->userMode().value_or(true);
}

namespace {

// The pixel size sys::TwipsGeometry gives a rectangle in twips: its edges are rounded.
QSize pixelSizeOf(const QRectF& twips) {
    const auto span = [](double from, double length) {
        return sys::twipsToPixels(from + length) - sys::twipsToPixels(from);
    };
    return {span(twips.x(), twips.width()), span(twips.y(), twips.height())};
}

}  // namespace

void ControlWidget::keepFixedSize() {
    const QSizeF fixed = fixedSizeTwips();
    if (!fixed.isValid() || keepingSize_) return;
    const QRectF twips = sys::TwipsGeometry::of(this);
    const QRectF wanted(twips.topLeft(), fixed);
    if (twips == wanted && size() == pixelSizeOf(wanted)) return;
    keepingSize_ = true;
    sys::TwipsGeometry::set(this, wanted.x(), wanted.y(), wanted.width(), wanted.height());
    keepingSize_ = false;
}

// A container stores the twips before it sets the pixels, so the size is put back in twips
// at once; only a change of the twips matters here, the pixels follow.
void ControlWidget::twipsChanged() {
    if (fixedSizeTwips().isValid() && sys::TwipsGeometry::of(this).size() != fixedSizeTwips())
        keepFixedSize();
}

void ControlWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    keepFixedSize();
}

}  // namespace hosting
