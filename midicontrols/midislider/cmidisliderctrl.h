#pragma once

#include "common/rangecontrol.h"

#include <optional>

class QLabel;
class QSlider;

// The MIDI slider control: a vertical fader, largest value at the top, with the value
// shown below it; Scroll reports the value while the user moves the fader.
class CMidiSliderCtrl : public sonaport::RangeControl {
    Q_OBJECT

public:
    enum EventId : hosting::DispId { EventScroll = 1 };

    // The fader's scroll notifications.
    enum ScrollCode {
        LineUp = 0,
        LineDown = 1,
        PageUp = 2,
        PageDown = 3,
        ThumbPosition = 4,
        ThumbTrack = 5,
        Top = 6,
        Bottom = 7,
        EndScroll = 8,
    };

    static constexpr int kTickEvery = 8;
    static constexpr int kPageSize = 32;
    static constexpr int kPanelRight = 46;

    explicit CMidiSliderCtrl(QWidget* parent = nullptr);

    // Clamped to Min..Max; moves the fader and raises Scroll.
    void setValue(qint32 value) override;
    // Change the fader's range only; Value stays.
    void setMin(qint32 min) override;
    void setMax(qint32 max) override;

    // The value a scroll notification gives for fader position p (the fader counts
    // downwards from Min at the top), or nothing for a code that changes nothing.
    static std::optional<qint32> scrolledValue(ScrollCode code, qint32 min, qint32 max, int p);
    // A notification from the fader; position is the one it carries (thumb codes).
    void onVerticalScroll(ScrollCode code, int position);

signals:
    void Scroll(qint32 Value);

protected:
    void showLoaded() override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void onAction(int action);
    void showValue();
    void raiseScroll();
    // The fader counts downwards: Max + Min - value.
    qint32 positionOf(qint32 value) const;

    QSlider* trackbar_;
    QLabel* readOut_;
};
