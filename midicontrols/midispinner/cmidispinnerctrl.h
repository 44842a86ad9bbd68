#pragma once

#include "common/rangecontrol.h"

#include <QPoint>
#include <QRect>

class QLabel;

// The MIDI spinner control: a rotary knob with the value shown below it, turned by
// dragging the mouse sideways; Spin reports each value the drag computes.
class CMidiSpinnerCtrl : public sonaport::RangeControl {
    Q_OBJECT

public:
    enum EventId : hosting::DispId { EventSpin = 1 };

    // Fixed pixel positions: the panel, the knob and the knob's centre column.
    static constexpr QRect kPanel{0, 0, 34, 49};
    static constexpr QRect kKnob{5, 5, 24, 24};
    static constexpr int kCentreX = 17;

    explicit CMidiSpinnerCtrl(QWidget* parent = nullptr);

    // Clamped to Max, then to Min; moves the dot. Raises no event.
    void setValue(qint32 value) override;
    // Store only; nothing is redrawn.
    void setMin(qint32 min) override;
    void setMax(qint32 max) override;

    // The dot's offset from the knob's centre: 270 degrees clockwise from the lower left
    // (Min) over the top to the lower right (Max). Min = Max puts it at the Min position.
    static QPoint dotOffset(qint32 value, qint32 min, qint32 max);
    // The dot's bounding box for that offset.
    static QRect dotRect(const QPoint& offset);
    // The value a drag at client column x computes, before clamping: the centre column
    // gives the middle, each 34 pixels to a side half the range.
    static qint32 dragValue(int x, qint32 min, qint32 max);

signals:
    void Spin(qint32 Value);

protected:
    void showLoaded() override;
    void createWindow() override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;
    QLabel* readOut_;
};
