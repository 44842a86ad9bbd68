#include "midikeyboard/cmidikeyboardctrl.h"

#include "hosting/ambientproperties.h"

#include <QTest>

using Step = QPair<char, QPoint>;  // 'p' press or 'r' release, at a point

class TestMidiKeyboardCtrl : public QObject {
    Q_OBJECT

private slots:
    void clicks_data() {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QStringList>("events");
        const auto click = [](QPoint p) { return QList<Step>{{'p', p}, {'r', p}}; };
        QTest::newRow("low C") << click({3, 25}) << QStringList{"on 36", "off 36"};
        QTest::newRow("C sharp") << click({7, 10}) << QStringList{"on 37", "off 37"};
        QTest::newRow("highest B") << click({279, 29}) << QStringList{"on 95", "off 95"};
        QTest::newRow("right edge of C is D") << click({8, 25}) << QStringList{"on 38", "off 38"};
        QTest::newRow("bottom edge is outside") << click({3, 30}) << QStringList{"off 0"};
        QTest::newRow("first release reports 0") << click({300, 10}) << QStringList{"off 0"};
        QTest::newRow("miss reports the previous note")
            << click({3, 25}) + click({300, 10}) << QStringList{"on 36", "off 36", "off 36"};
        QTest::newRow("release outside the control")
            << QList<Step>{{'p', {7, 10}}, {'r', {10, 200}}} << QStringList{"on 37"};
    }
    void clicks() {
        QFETCH(QList<Step>, steps);
        QFETCH(QStringList, events);
        CMidiKeyboardCtrl keyboard;
        keyboard.resize(310, 40);
        keyboard.show();
        QStringList raised;
        connect(&keyboard, &CMidiKeyboardCtrl::NoteOn,
                [&](qint32 n) { raised << "on " + QString::number(n); });
        connect(&keyboard, &CMidiKeyboardCtrl::NoteOff,
                [&](qint32 n) { raised << "off " + QString::number(n); });
        for (const Step& step : steps) {
            if (step.first == 'p') QTest::mousePress(&keyboard, Qt::LeftButton, {}, step.second);
            if (step.first == 'r') QTest::mouseRelease(&keyboard, Qt::LeftButton, {}, step.second);
        }
        QCOMPARE(raised, events);
    }

    // The 60 keys cover 280 x 30 pixels, no pixel belonging to two keys.
    void keysTileTheKeyboard() {
        const PianoKeys keys;
        QRegion all;
        for (int key = 0; key < PianoKeys::kKeyCount; ++key) {
            QVERIFY((all & keys.region(key)).isEmpty());
            all += keys.region(key);
        }
        QCOMPARE(all, QRegion(0, 0, 280, 30));
    }

    void drawing() {
        hosting::AmbientProperties container;
        container.setBackColor(0x00C0FFEEu);
        CMidiKeyboardCtrl keyboard;
        keyboard.setAmbient(&container);
        keyboard.resize(300, 40);
        keyboard.show();
        QTest::mousePress(&keyboard, Qt::LeftButton, {}, {3, 25});  // no highlight
        const QImage image = keyboard.grab().toImage();
        const QColor back(0xEE, 0xFF, 0xC0);
        QCOMPARE(image.pixelColor(7, 10), QColor(Qt::black));  // C sharp, filled
        QCOMPARE(image.pixelColor(3, 25), back);               // inside low C
        QCOMPARE(image.pixelColor(0, 25), QColor(Qt::black));  // its frame
        QCOMPARE(image.pixelColor(7, 29), QColor(Qt::black));
        QCOMPARE(image.pixelColor(12, 25), back);   // inside D
        QCOMPARE(image.pixelColor(290, 35), back);  // beyond the keys
    }
};

QTEST_MAIN(TestMidiKeyboardCtrl)
#include "tst_midikeyboardctrl.moc"
