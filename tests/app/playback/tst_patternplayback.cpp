#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "playback/patternplayback.h"
#include "shared/checkarray.h"
#include "shared/steptimer.h"
#include "shared/taglabel.h"
#include "system/twipsgeometry.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFrame>
#include <QLineEdit>
#include <QTest>
#include <QThread>
#include <memory>

// Pattern playback driven tick by tick, heard through a virtual output device.
class TstPatternPlayback : public QObject {
    Q_OBJECT

    std::unique_ptr<FormFixture> fixture_;
    Form1* form_ = nullptr;

    QList<quint32> sent() const { return fixture_->sent(); }
    static quint32 noteOn(int note, int velocity) { return 0x99u | (note << 8) | (velocity << 16); }
    int note(int row) const { return form_->Label(row)->tag().toInt(); }
    void press() { QTest::mouseClick(form_->BtnPlay, Qt::LeftButton); }
    void tick() { fixture_->app().playback().tmrPlay_Timer(); }
    double cursorLeft() const { return sys::TwipsGeometry::of(form_->Cursor).x(); }
    double columnLeft(int c) const { return sys::TwipsGeometry::of(form_->checkArray(c)).x(); }

private slots:
    void init() {
        fixture_ = std::make_unique<FormFixture>();
        form_ = &fixture_->form();
    }
    void cleanup() {
        if (form_->tmrPlay->isEnabled()) press();
        fixture_.reset();
    }

    void playSoundsTheFirstColumnAtOnce() {
        form_->checkArray(1)->setValue(1, 2);
        form_->checkArray(2)->setValue(3, 3);
        press();
        QVERIFY(form_->tmrPlay->isEnabled());
        QVERIFY(form_->PatternMode);
        QVERIFY(form_->Cursor->isVisible());
        QCOMPARE(form_->PlayPosition, 1);
        QCOMPARE(cursorLeft(), columnLeft(1));
        QCOMPARE(sent(), (QList<quint32>{noteOn(note(1), 84), noteOn(note(1), 0)}));
        tick();
        QCOMPARE(form_->PlayPosition, 2);
        QCOMPARE(cursorLeft(), columnLeft(2));
        QCOMPARE(sent().mid(2), (QList<quint32>{noteOn(note(3), 126), noteOn(note(3), 0)}));
    }

    void wrapsAfterTheLastColumn() {
        press();
        for (int i = 0; i < 15; ++i) tick();
        QCOMPARE(form_->PlayPosition, 16);
        tick();
        QCOMPARE(form_->PlayPosition, 1);
        QCOMPARE(cursorLeft(), columnLeft(1));
    }

    void fewerColumnsWhilePlayingWrapsAtOnce() {
        press();
        for (int i = 0; i < 11; ++i) tick();
        QCOMPARE(form_->PlayPosition, 12);
        form_->txtSpalt->setText("8");
        tick();
        QCOMPARE(form_->PlayPosition, 1);
    }

    void emptyColumnSendsNothingButMovesTheCursor() {
        form_->checkArray(1)->setValue(1, 1);
        press();
        const int before = sent().size();
        tick();
        QCOMPARE(sent().size(), before);
        QCOMPARE(cursorLeft(), columnLeft(2));
    }

    void levelsGiveVelocitiesInRowOrder() {
        form_->checkArray(1)->setValue(2, 3);
        form_->checkArray(1)->setValue(5, 2);
        form_->checkArray(1)->setValue(9, 1);
        press();
        QCOMPARE(sent(),
                 (QList<quint32>{noteOn(note(2), 126), noteOn(note(2), 0), noteOn(note(5), 84),
                                 noteOn(note(5), 0), noteOn(note(9), 42), noteOn(note(9), 0)}));
    }

    void rowsWithoutAUsableNoteStaySilent_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<int>("expectedNote");  // -1: silent
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("text") << "Snare" << -1;
        QTest::newRow("too high") << "300" << -1;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("blanks") << " 38 " << 38;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("top") << "127" << 127;
        QTest::newRow("beyond MIDI") << "128" << -1;
        QTest::newRow("not a number") << "nan" << -1;
    }
    void rowsWithoutAUsableNoteStaySilent() {
        QFETCH(QString, tag);
        QFETCH(int, expectedNote);
        form_->Label(1)->setTag(tag);
        form_->checkArray(1)->setValue(1, 3);
        press();
        if (expectedNote < 0)
            QVERIFY(sent().isEmpty());
        else
            QCOMPARE(sent().value(0), 0x99u | quint32(expectedNote) << 8 | 126u << 16);
    }

    void interval_data() {
        QTest::addColumn<QString>("before");  // the tempo of an earlier play, or none
        QTest::addColumn<QString>("bpm");
        QTest::addColumn<QString>("subdivs");
        QTest::addColumn<int>("interval");
        QTest::newRow("100/4") << ""
                               << "100"
                               << "4" << 150;
        QTest::newRow("120/4") << ""
                               << "120"
                               << "4" << 125;
        QTest::newRow("90/4") << ""
                              << "90"
                              << "4" << 167;
        QTest::newRow("80/4 half to even") << ""
                                           << "80"
                                           << "4" << 188;
        QTest::newRow("240/4 half to even") << ""
                                            << "240"
                                            << "4" << 62;
        QTest::newRow("250/4") << ""
                               << "250"
                               << "4" << 60;
        QTest::newRow("first play at no tempo: start-up texts") << ""
                                                                << "schnell"
                                                                << "4" << 150;
        QTest::newRow("first play at tempo 0: start-up texts") << ""
                                                               << "0"
                                                               << "4" << 150;
        QTest::newRow("tempo without a number keeps") << "120"
                                                      << "schnell"
                                                      << "4" << 125;
        QTest::newRow("tempo 0 keeps") << "120"
                                       << "0"
                                       << "4" << 125;
        QTest::newRow("no subdivision keeps") << "120"
                                              << "120"
                                              << "0" << 125;
        QTest::newRow("negative tempo keeps") << "120"
                                              << "-120"
                                              << "4" << 125;
        QTest::newRow("below 1 ms keeps") << "120"
                                          << "100000"
                                          << "4" << 125;
        QTest::newRow("beyond the timer keeps") << "120"
                                                << "0.001"
                                                << "4" << 125;
    }
    void interval() {
        QFETCH(QString, before);
        QFETCH(QString, bpm);
        QFETCH(QString, subdivs);
        QFETCH(int, interval);
        if (!before.isEmpty()) {
            form_->txtBPM->setText(before);
            press();
            press();
        }
        form_->txtBPM->setText(bpm);
        form_->txtSubdivs->setText(subdivs);
        press();
        QCOMPARE(form_->tmrPlay->interval(), interval);
        QVERIFY(form_->tmrPlay->isEnabled());  // playback starts whatever the tempo says
    }

    void exactPeriodBehindTheWholeInterval() {
        form_->txtBPM->setText("90");
        press();
        QCOMPARE(form_->tmrPlay->interval(), 167);
        QCOMPARE(form_->tmrPlay->period(), 60000.0 / 360);
    }

    void releasingStopsAndHidesTheCursor() {
        press();
        press();
        QVERIFY(!form_->tmrPlay->isEnabled());
        QVERIFY(!form_->Cursor->isVisible());
        QVERIFY(form_->PatternMode);
        QVERIFY(!form_->BtnPlay->isChecked());
    }

    void playDrumNoteWithoutADeviceNeverFails() {
        midi::VirtualDevices::clear();  // the open device disappears under the control
        fixture_->app().playback().PlayDrumNote(36, 3);
        form_->checkArray(1)->setValue(1, 3);
        press();
        QCOMPARE(form_->PlayPosition, 1);
    }

    void timerTicksOnItsGrid() {
        // Real time, generous bounds: the tenth tick of 20 ms comes after about 200 ms.
        StepTimer timer;
        int ticks = 0;
        QElapsedTimer clock;
        qint64 tenth = 0;
        QObject::connect(&timer, &StepTimer::timeout, [&] {
            if (++ticks == 10) {
                tenth = clock.elapsed();
                timer.setEnabled(false);
            }
        });
        timer.setInterval(20, 20.0);
        clock.start();
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(!timer.isEnabled(), 10000);
        QCOMPARE(ticks, 10);
        QVERIFY2(tenth >= 199, qPrintable(QString::number(tenth)));  // never early
    }

    void stallSkipsInsteadOfBursting() {
        StepTimer timer;
        int ticks = 0;
        QObject::connect(&timer, &StepTimer::timeout, [&] {
            if (++ticks == 1) QThread::msleep(75);  // a slow handler: more than three periods
        });
        timer.setInterval(20, 20.0);
        timer.setEnabled(true);
        QTRY_VERIFY_WITH_TIMEOUT(timer.skipped() >= 2, 5000);
        const int heard = ticks;
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(100);
        // no burst: after the stall, ticks come no faster than one a period
        QVERIFY(ticks - heard <= clock.elapsed() / 20 + 1);
        timer.setEnabled(false);
    }
};

QTEST_MAIN(TstPatternPlayback)
#include "tst_patternplayback.moc"
