#include "midispinner/cmidispinnerctrl.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

class TestMidiSpinnerCtrl : public QObject {
    Q_OBJECT

private slots:
    void drag_data() {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("spin");
        QTest::addColumn<int>("value");
        QTest::newRow("centre column") << 0 << 127 << 17 << 63 << 63;
        QTest::newRow("34 pixels right") << 0 << 127 << 51 << 126 << 126;
        QTest::newRow("far right") << 0 << 127 << 100 << 216 << 127;
        QTest::newRow("far left") << 0 << 127 << -100 << -153 << 0;
        QTest::newRow("shifted range") << 20 << 40 << 0 << 25 << 25;
        QTest::newRow("Min above Max saturates") << 10 << 0 << 17 << 2147483647 << 10;
    }
    void drag() {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, x);
        QFETCH(int, spin);
        QFETCH(int, value);
        CMidiSpinnerCtrl spinner;
        spinner.setMin(min);
        spinner.setMax(max);
        spinner.resize(60, 60);
        spinner.show();
        QSignalSpy spun(&spinner, &CMidiSpinnerCtrl::Spin);
        QTest::mouseMove(&spinner, {30, 10});  // not dragging yet
        QTest::mousePress(&spinner, Qt::LeftButton, {}, {17, 17});
        QTest::mouseMove(&spinner, {x, 40});
        QTest::mouseRelease(&spinner, Qt::LeftButton, {}, {x, 40});
        QTest::mouseMove(&spinner, {30, 10});  // the drag has ended
        QCOMPARE(spun.size(), 1);
        QCOMPARE(spun.first().first().toInt(), spin);
        QCOMPARE(spinner.value(), value);
        QCOMPARE(spinner.findChild<QLabel*>()->text(), QString::number(value));
    }

    void dot_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("middle, near the top centre") << 64 << 0 << 127 << QPoint(0, -8);
        QTest::newRow("Min, lower left") << 0 << 0 << 127 << QPoint(-6, 6);
        QTest::newRow("Max, lower right") << 127 << 0 << 127 << QPoint(6, 6);
        QTest::newRow("Min equals Max") << 5 << 5 << 5 << QPoint(-6, 6);
    }
    void dot() {
        QFETCH(int, value);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QPoint, offset);
        QCOMPARE(CMidiSpinnerCtrl::dotOffset(value, min, max), offset);
    }

    void drawing() {
        CMidiSpinnerCtrl spinner;
        spinner.resize(60, 60);
        spinner.show();
        QCOMPARE(spinner.findChild<QLabel*>()->geometry(), QRect(5, 32, 24, 12));
        const QImage image = spinner.grab().toImage();
        QCOMPARE(image.pixelColor(17, 9), QColor(Qt::white));          // the dot at 64
        QCOMPARE(image.pixelColor(10, 17), QColor(0x7F, 0x7F, 0x7F));  // the knob
        QCOMPARE(image.pixelColor(5, 17), QColor(Qt::black));          // its outline
    }
};

QTEST_MAIN(TestMidiSpinnerCtrl)
#include "tst_midispinnerctrl.moc"
