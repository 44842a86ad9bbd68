#include "controlwidget.h"

#include "system/twipsgeometry.h"

#include <QEvent>
#include <QResizeEvent>

namespace hosting {

ControlWidget::ControlWidget(QWidget* parent) : QWidget(parent) {}

ControlWidget::~ControlWidget() = default;

bool ControlWidget::isUserMode() const {
    return !ambient_ || ambient_->userMode().value_or(true);
}

void ControlWidget::keepFixedSize() {
    const QSizeF fixed = fixedSizeTwips();
    if (!fixed.isValid() || keepingSize_) return;
    const QRectF twips = sys::TwipsGeometry::of(this);
    keepingSize_ = true;
    sys::TwipsGeometry::set(this, twips.x(), twips.y(), fixed.width(), fixed.height());
    keepingSize_ = false;
}

// The container stores twips before it moves the pixels, so the size is put back in twips
// at once and in pixels again when the resize arrives.
bool ControlWidget::event(QEvent* event) {
    if (event->type() == QEvent::DynamicPropertyChange) keepFixedSize();
    return QWidget::event(event);
}

void ControlWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    keepFixedSize();
}

}  // namespace hosting
