#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "shared/steptimer.h"
#include "system/twipsgeometry.h"
#include "transport/controloutput.h"
#include "transport/patternplayback.h"
#include "transport/transport.h"
#include "views/checkarray.h"
#include "views/taglabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
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
    void tick() { fixture_->transport().tick(); }
    int position() const { return fixture_->transport().position(); }
    Transport::State state() const { return fixture_->transport().state(); }
    double cursorLeft() const { return sys::TwipsGeometry::of(form_->Cursor).x(); }
    double columnLeft(int c) const { return sys::TwipsGeometry::of(form_->checkArray(c)).x(); }

private slots:
    void init() {
        fixture_ = std::make_unique<FormFixture>();
        form_ = &fixture_->form();
    }
    void cleanup() {
        if (fixture_->timer().isEnabled()) press();
        fixture_.reset();
    }

    void playSoundsTheFirstColumnAtOnce() {
        form_->checkArray(1)->setValue(1, 2);
        form_->checkArray(2)->setValue(3, 3);
        press();
        QVERIFY(fixture_->timer().isEnabled());
        QCOMPARE(state(), Transport::State::Pattern);
        QVERIFY(form_->Cursor->isVisible());
        QCOMPARE(position(), 1);
        QCOMPARE(cursorLeft(), columnLeft(1));
        QCOMPARE(sent(), (QList<quint32>{noteOn(note(1), 84), noteOn(note(1), 0)}));
        tick();
        QCOMPARE(position(), 2);
        QCOMPARE(cursorLeft(), columnLeft(2));
        QCOMPARE(sent().mid(2), (QList<quint32>{noteOn(note(3), 126), noteOn(note(3), 0)}));
    }

    // The cursor is a two-pixel box in its blue with the column showing through.
    void cursorIsATwoPixelBlueBox() {
        press();
        const QImage drawn = form_->Cursor->grab().toImage();
        const QRgb blue = qRgb(0x10, 0x60, 0xd0);
        QCOMPARE(drawn.pixel(0, 0), blue);
        QCOMPARE(drawn.pixel(1, drawn.height() / 2), blue);
        QCOMPARE(drawn.pixel(drawn.width() - 2, drawn.height() - 2), blue);
        QVERIFY(drawn.pixel(2, drawn.height() / 2) != blue);
    }

    void wrapsAfterTheLastColumn() {
        press();
        for (int i = 0; i < 15; ++i) tick();
        QCOMPARE(position(), 16);
        tick();
        QCOMPARE(position(), 1);
        QCOMPARE(cursorLeft(), columnLeft(1));
    }

    void fewerColumnsWhilePlayingWrapsAtOnce() {
        press();
        for (int i = 0; i < 11; ++i) tick();
        QCOMPARE(position(), 12);
        form_->txtSpalt->setText("8");
        tick();
        QCOMPARE(position(), 1);
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
        fixture_->setInstrumentTag(1, tag);
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
        QCOMPARE(fixture_->timer().interval(), interval);
        QVERIFY(fixture_->timer().isEnabled());  // playback starts whatever the tempo says
    }

    void exactPeriodBehindTheWholeInterval() {
        form_->txtBPM->setText("90");
        press();
        QCOMPARE(fixture_->timer().interval(), 167);
        QCOMPARE(fixture_->timer().period(), 60000.0 / 360);
    }

    void releasingStopsAndHidesTheCursor() {
        press();
        press();
        QVERIFY(!fixture_->timer().isEnabled());
        QVERIFY(!form_->Cursor->isVisible());
        QCOMPARE(state(), Transport::State::Stopped);
        QVERIFY(!form_->BtnPlay->isChecked());
    }

    // The label's menu mutes and solos its row: the label shows it and playback leaves the
    // silent rows out.
    void labelMenuMutesAndSolos() {
        const auto action = [this](int row, const QString& text) {
            for (QAction* a : form_->Label(row)->actions())
                if (a->text() == text) return a;
            return static_cast<QAction*>(nullptr);
        };
        for (int row = 1; row <= 3; ++row) form_->checkArray(1)->setValue(row, 2);
        const QColor normal = form_->Label(2)->palette().color(QPalette::WindowText);
        action(2, "Stumm")->trigger();
        QVERIFY(form_->Label(2)->palette().color(QPalette::WindowText) != normal);
        press();
        QCOMPARE(sent(), (QList<quint32>{noteOn(note(1), 84), noteOn(note(1), 0),
                                         noteOn(note(3), 84), noteOn(note(3), 0)}));
        action(3, "Solo")->trigger();
        QVERIFY(form_->Label(3)->font().bold());
        press();  // stopped, then started again from step 1
        fixture_->clearSent();
        press();
        QCOMPARE(sent(), (QList<quint32>{noteOn(note(3), 84), noteOn(note(3), 0)}));
    }

    // An output that plays messages at the time they carry gets each step its lead ahead,
    // stamped on the grid, and a stop takes back the step sent ahead; one that plays them as
    // they come gets each at its time.
    void stepsGoAheadOnlyToOutputsThatPlaceByTime_data() {
        QTest::addColumn<bool>("placesByTime");
        QTest::newRow("places by time") << true;
        QTest::newRow("plays as it comes") << false;
    }
    void stepsGoAheadOnlyToOutputsThatPlaceByTime() {
        QFETCH(bool, placesByTime);
        using namespace std::chrono;
        midi::VirtualDevices::setPlacesByTime(fixture_->device(), placesByTime);
        for (int c = 1; c <= 16; ++c) form_->checkArray(c)->setValue(1, 2);
        connect(&fixture_->transport(), &Transport::patternStepped, this, [this](int step) {
            if (step == 6) QTimer::singleShot(0, this, [this] { press(); });
        });
        press();
        QTRY_VERIFY_WITH_TIMEOUT(!fixture_->timer().isEnabled(), 5000);
        QList<midi::RecordedMessage> on;
        for (const auto& m : midi::VirtualDevices::received(fixture_->device()))
            if (m.shortMessage >> 16) on << m;
        QCOMPARE(on.size(), placesByTime ? 5 : 6);
        const auto ms = [](steady_clock::duration d) {
            return duration<double, std::milli>(d).count();
        };
        QList<double> early;  // ms before its stamp each note after the first arrived
        for (qsizetype i = 1; i < on.size(); ++i) {
            QCOMPARE(ms(on[i].stamp - on[i - 1].stamp), fixture_->timer().period());
            early << ms(on[i].stamp - on[i].time);
        }
        std::sort(early.begin(), early.end());
        if (placesByTime)
            QVERIFY2(early[early.size() / 2] > 15, qPrintable(QString::number(early[0])));
        else
            QVERIFY(early.last() <= 0);
    }

    void playDrumNoteWithoutADeviceNeverFails() {
        midi::VirtualDevices::clear();  // the open device disappears under the control
        fixture_->app().output().PlayDrumNote(36, 3);
        form_->checkArray(1)->setValue(1, 3);
        press();
        QCOMPARE(position(), 1);
    }
};

QTEST_MAIN(TstPatternPlayback)
#include "tst_patternplayback.moc"
