#include "cmidispinnerctrl.h"

#include "common/icontitlefont.h"
#include "common/paintpanel.h"
#include "common/sonaportids.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <limits>

namespace {

constexpr double kSweep = 4.7124;       // 270 degrees
constexpr double kStartAngle = 2.3562;  // 135 degrees: the lower left
constexpr double kDotRadius = 9;
constexpr double kPerPixel = 0.029411764705882353;  // 1/34 of half the range
const QColor kKnobGrey(0x7F, 0x7F, 0x7F);

qint32 truncated(double value) {
    constexpr double lowest = std::numeric_limits<qint32>::min();
    constexpr double highest = std::numeric_limits<qint32>::max();
    return qint32(std::trunc(std::clamp(value, lowest, highest)));
}

}  // namespace

CMidiSpinnerCtrl::CMidiSpinnerCtrl(QWidget* parent)
    : sonaport::RangeControl(QStringLiteral("MidiSpinner"), sonaport::ids::kMidiSpinner.propPage,
                             parent),
      readOut_(new QLabel(QStringLiteral("64"), this)) {
    readOut_->setObjectName(QStringLiteral("readOut"));
    readOut_->setAlignment(Qt::AlignCenter);
    readOut_->setFont(sonaport::iconTitleFont());
    readOut_->setGeometry(5, 32, 24, 12);
}

void CMidiSpinnerCtrl::createWindow() {
    setValue(value_);
}

void CMidiSpinnerCtrl::setValue(qint32 value) {
    value_ = std::max(std::min(value, max_), min_);
    readOut_->setText(QString::number(quint32(value_)));
    update();
    setModified(true);
}

void CMidiSpinnerCtrl::setMin(qint32 min) {
    min_ = min;
    setModified(true);
}

void CMidiSpinnerCtrl::setMax(qint32 max) {
    max_ = max;
    setModified(true);
}

QPoint CMidiSpinnerCtrl::dotOffset(qint32 value, qint32 min, qint32 max) {
    const double range = double(quint32(max) - quint32(min));
    const double share = range == 0 ? 0 : double(quint32(value) - quint32(min)) / range;
    const double angle = share * kSweep + kStartAngle;
    return {int(std::cos(angle) * kDotRadius), int(std::sin(angle) * kDotRadius)};
}

QRect CMidiSpinnerCtrl::dotRect(const QPoint& offset) {
    return QRect(QPoint(offset.x() + 15, offset.y() + 15),
                 QPoint(offset.x() + 19, offset.y() + 19));
}

qint32 CMidiSpinnerCtrl::dragValue(int x, qint32 min, qint32 max) {
    const quint32 half = (quint32(max) - quint32(min)) / 2;
    return truncated(((x - kCentreX) * kPerPixel * half + min) + half);
}

void CMidiSpinnerCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
    sonaport::paintPanel(painter, kPanel, *this);
    // Ellipses keep inside their boxes' right and bottom edges.
    const auto inside = [](const QRect& box) { return box.adjusted(0, 0, -1, -1); };
    painter.setPen(Qt::black);
    painter.setBrush(kKnobGrey);
    painter.drawEllipse(inside(kKnob));
    painter.setPen(Qt::white);
    painter.setBrush(Qt::white);
    painter.drawEllipse(inside(dotRect(dotOffset(value_, min_, max_))));
}

void CMidiSpinnerCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = true;
}

void CMidiSpinnerCtrl::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) return;
    const qint32 value = dragValue(event->position().toPoint().x(), min_, max_);
    setValue(value);
    emit Spin(value);
    emit eventRaised(EventSpin, {value});
}

void CMidiSpinnerCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void CMidiSpinnerCtrl::showLoaded() {
    update();
}
