#include "cmidisliderctrl.h"

#include "common/icontitlefont.h"
#include "common/paintpanel.h"
#include "common/sonaportids.h"

#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QSlider>

namespace {

std::optional<CMidiSliderCtrl::ScrollCode> scrollCodeOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return CMidiSliderCtrl::LineUp;
        case QAbstractSlider::SliderSingleStepAdd:
            return CMidiSliderCtrl::LineDown;
        case QAbstractSlider::SliderPageStepSub:
            return CMidiSliderCtrl::PageUp;
        case QAbstractSlider::SliderPageStepAdd:
            return CMidiSliderCtrl::PageDown;
        case QAbstractSlider::SliderToMinimum:
            return CMidiSliderCtrl::Top;
        case QAbstractSlider::SliderToMaximum:
            return CMidiSliderCtrl::Bottom;
        case QAbstractSlider::SliderMove:
            return CMidiSliderCtrl::ThumbTrack;
        default:
            return std::nullopt;
    }
}

}  // namespace

CMidiSliderCtrl::CMidiSliderCtrl(QWidget* parent)
    : sonaport::RangeControl(QStringLiteral("MidiSlider"), sonaport::ids::kMidiSlider.propPage,
                             parent),
      trackbar_(new QSlider(Qt::Vertical, this)),
      readOut_(new QLabel(this)) {
    trackbar_->setObjectName(QStringLiteral("trackbar"));
    // Counts downwards like the platform's trackbar: Min at the top.
    trackbar_->setInvertedAppearance(true);
    trackbar_->setInvertedControls(true);
    trackbar_->setTickPosition(QSlider::TicksBothSides);
    trackbar_->setTickInterval(kTickEvery);
    trackbar_->setPageStep(kPageSize);
    trackbar_->setGeometry(0, 0, 40, 200);
    readOut_->setObjectName(QStringLiteral("readOut"));
    readOut_->setAlignment(Qt::AlignCenter);
    readOut_->setFont(sonaport::iconTitleFont());
    readOut_->resize(30, 16);
    showLoaded();
    connect(trackbar_, &QAbstractSlider::actionTriggered, this, &CMidiSliderCtrl::onAction);
    connect(trackbar_, &QAbstractSlider::sliderReleased, this,
            [this] { onVerticalScroll(ThumbPosition, trackbar_->sliderPosition()); });
}

void CMidiSliderCtrl::setValue(qint32 value) {
    value_ = std::min(std::max(value, min_), max_);
    trackbar_->setValue(positionOf(value_));
    showValue();
    raiseScroll();
    setModified(true);
}

void CMidiSliderCtrl::setMin(qint32 min) {
    min_ = min;
    trackbar_->setMinimum(min);
    setModified(true);
}

void CMidiSliderCtrl::setMax(qint32 max) {
    max_ = max;
    trackbar_->setMaximum(max);
    setModified(true);
}

std::optional<qint32> CMidiSliderCtrl::scrolledValue(ScrollCode code, qint32 min, qint32 max,
                                                     int p) {
    if (code == LineUp || code == LineDown || code == EndScroll) return std::nullopt;
    return qint32(quint32(max) + quint32(min) - quint32(p));
}

void CMidiSliderCtrl::onVerticalScroll(ScrollCode code, int position) {
    const bool carriesPosition = code == ThumbTrack || code == ThumbPosition;
    const int p = carriesPosition ? position : trackbar_->sliderPosition();
    const std::optional<qint32> value = scrolledValue(code, min_, max_, p);
    if (!value) return;
    value_ = *value;
    showValue();
    raiseScroll();
}

// The fader has moved its thumb for the action but not yet taken the new position.
void CMidiSliderCtrl::onAction(int action) {
    if (const std::optional<ScrollCode> code = scrollCodeOf(action))
        onVerticalScroll(*code, trackbar_->sliderPosition());
}

void CMidiSliderCtrl::showValue() {
    readOut_->setText(QString::number(quint32(value_)));
}

void CMidiSliderCtrl::raiseScroll() {
    emit Scroll(value_);
    emit eventRaised(EventScroll, {value_});
}

void CMidiSliderCtrl::resizeEvent(QResizeEvent* event) {
    const int height = event->size().height();
    trackbar_->setGeometry(4, 4, 38, height - 25);
    readOut_->setGeometry(8, height - 20, 30, 16);
    SonaportControl::resizeEvent(event);
}

void CMidiSliderCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor());
    sonaport::paintPanel(painter, QRect(0, 0, kPanelRight, height()), *this);
}

void CMidiSliderCtrl::showLoaded() {
    trackbar_->setRange(min_, max_);
    trackbar_->setValue(positionOf(value_));
    showValue();
}

qint32 CMidiSliderCtrl::positionOf(qint32 value) const {
    return qint32(quint32(max_) + quint32(min_) - quint32(value));
}
