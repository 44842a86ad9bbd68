#include "midislider/cmidisliderctrl.h"

#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

using Code = CMidiSliderCtrl::ScrollCode;

class TestMidiSliderCtrl : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CMidiSliderCtrl> showSlider(qint32 min, qint32 max, qint32 value) {
        auto slider = std::make_unique<CMidiSliderCtrl>();
        slider->setMin(min);
        slider->setMax(max);
        slider->setValue(value);
        slider->resize(60, 225);
        slider->show();
        return slider;
    }

private slots:
    // Fader positions count downwards from Min at the top.
    void scroll_data() {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");  // carried by the thumb codes
        QTest::addColumn<int>("value");     // -1: unchanged, no event
        QTest::newRow("thumb dragged to the top") << 0 << 127 << 5 << 0 << 127;
        QTest::newRow("thumb dropped low") << 0 << 127 << 4 << 100 << 27;
        QTest::newRow("page down") << 0 << 127 << 3 << -1 << 32;
        QTest::newRow("page up") << 0 << 127 << 2 << -1 << 96;
        QTest::newRow("top") << 0 << 127 << 6 << -1 << 127;
        QTest::newRow("bottom") << 0 << 127 << 7 << -1 << 0;
        QTest::newRow("10..100, track at the top") << 10 << 100 << 5 << 10 << 100;
        QTest::newRow("10..100, position at the top") << 10 << 100 << 4 << 10 << 100;
        QTest::newRow("10..100, top") << 10 << 100 << 6 << -1 << 100;
        QTest::newRow("line down") << 0 << 127 << 1 << -1 << -1;
        QTest::newRow("end of scroll") << 0 << 127 << 8 << -1 << -1;
    }
    void scroll() {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, code);
        QFETCH(int, position);
        QFETCH(int, value);
        auto slider = showSlider(min, max, 64);
        QSlider* trackbar = slider->findChild<QSlider*>();
        QSignalSpy scrolled(slider.get(), &CMidiSliderCtrl::Scroll);
        // Keys and thumb drags drive the codes through the fader itself.
        const QHash<int, Qt::Key> keys{{1, Qt::Key_Down},
                                       {2, Qt::Key_PageUp},
                                       {3, Qt::Key_PageDown},
                                       {6, Qt::Key_Home},
                                       {7, Qt::Key_End}};
        if (keys.contains(code))
            QTest::keyClick(trackbar, keys[code]);
        else if (code == Code::ThumbTrack)
            trackbar->setSliderPosition(position);  // as a drag moves it
        else
            slider->onVerticalScroll(Code(code), position);
        QCOMPARE(slider->value(), value < 0 ? 64 : value);
        QCOMPARE(scrolled.size(), value < 0 ? 0 : 1);
        if (value >= 0) QCOMPARE(slider->findChild<QLabel*>()->text(), QString::number(value));
    }

    void putValue_data() {
        QTest::addColumn<int>("put");
        QTest::addColumn<int>("stored");
        QTest::newRow("inside") << 90 << 90;
        QTest::newRow("below Min") << 2 << 10;
        QTest::newRow("above Max") << 300 << 100;
    }
    void putValue() {
        QFETCH(int, put);
        QFETCH(int, stored);
        auto slider = showSlider(10, 100, 50);
        QSignalSpy scrolled(slider.get(), &CMidiSliderCtrl::Scroll);
        slider->putProperty(CMidiSliderCtrl::DispValue, put);
        QCOMPARE(slider->value(), stored);
        QCOMPARE(slider->findChild<QSlider*>()->value(), 110 - stored);
        QCOMPARE(scrolled.size(), 1);
        QCOMPARE(scrolled.first().first().toInt(), stored);
    }

    void layoutAndRange() {
        auto slider = showSlider(0, 127, 64);
        slider->resize(80, 300);
        QSlider* trackbar = slider->findChild<QSlider*>();
        QCOMPARE(trackbar->geometry(), QRect(4, 4, 38, 275));
        QCOMPARE(slider->findChild<QLabel*>()->geometry(), QRect(8, 280, 30, 16));
        QCOMPARE(trackbar->tickInterval(), 8);
        QCOMPARE(trackbar->pageStep(), 32);
        slider->setMax(50);  // the value stays where it was
        QCOMPARE(trackbar->maximum(), 50);
        QCOMPARE(slider->value(), 64);
    }
};

QTEST_MAIN(TestMidiSliderCtrl)
#include "tst_midisliderctrl.moc"
