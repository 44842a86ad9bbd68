#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "midi/virtualdevices.h"
#include "shell/frmoptions.h"
#include "song/song.h"
#include "transport/clockpulses.h"
#include "transport/transport.h"
#include "views/checkarray.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

// MIDI clock out: where pulses fall among the steps, and the clock a played pattern sends.
class TstMidiClock : public QObject {
    Q_OBJECT

    using Clock = std::chrono::steady_clock;
    static double msBetween(Clock::time_point from, Clock::time_point to) {
        return std::chrono::duration<double, std::milli>(to - from).count();
    }

private slots:
    // Each step's pulses in ms after the step, steps separated by "|"; from step `change` on a
    // new run plays at the second tempo, as when a song row begins.
    void pulsesOfEachStep_data() {
        QTest::addColumn<double>("tempo");
        QTest::addColumn<double>("subdivs");
        QTest::addColumn<int>("change");
        QTest::addColumn<double>("tempo2");
        QTest::addColumn<double>("subdivs2");
        QTest::addColumn<QString>("expected");
        QTest::newRow("125/4") << 125.0 << 4.0 << -1 << 0.0 << 0.0
                               << "0 20 40 60 80 100|0 20 40 60 80 100";
        QTest::newRow("125/3") << 125.0 << 3.0 << -1 << 0.0 << 0.0 << "0 20 40 60 80 100 120 140";
        QTest::newRow("125/5 between steps")
            << 125.0 << 5.0 << -1 << 0.0 << 0.0
            << "0 20 40 60 80|4 24 44 64 84|8 28 48 68 88|12 32 52 72 92|16 36 56 76|0 20 40 60 80";
        QTest::newRow("125/32 steps without a pulse")
            << 125.0 << 32.0 << -1 << 0.0 << 0.0 << "0|5|10||0|5";
        QTest::newRow("125/2.5") << 125.0 << 2.5 << -1 << 0.0 << 0.0
                                 << "0 20 40 60 80 100 120 140 160 180|"
                                    "8 28 48 68 88 108 128 148 168 188|"
                                    "16 36 56 76 96 116 136 156 176";
        QTest::newRow("100/7") << 100.0 << 7.0 << -1 << 0.0 << 0.0
                               << "0 25 50 75|14.286 39.286 64.286|3.571 28.571 53.571 78.571";
        QTest::newRow("negative tempo and SubDivs")
            << -125.0 << -4.0 << -1 << 0.0 << 0.0 << "0 20 40 60 80 100";
        QTest::newRow("pulses under 1 ms apart") << 3000.0 << 4.0 << -1 << 0.0 << 0.0 << "|";
        QTest::newRow("tempo 0") << 0.0 << 4.0 << -1 << 0.0 << 0.0 << "|";
        QTest::newRow("row change on a beat")
            << 125.0 << 4.0 << 2 << 100.0 << 2.0
            << "0 20 40 60 80 100|0 20 40 60 80 100|0 25 50 75 100 125 150 175 200 225 250 275";
        QTest::newRow("row change inside a beat")
            << 125.0 << 5.0 << 2 << 100.0 << 4.0
            << "0 20 40 60 80|4 24 44 64 84|0 25 50 75 100 125";
    }
    void pulsesOfEachStep() {
        QFETCH(double, tempo);
        QFETCH(double, subdivs);
        QFETCH(int, change);
        QFETCH(double, tempo2);
        QFETCH(double, subdivs2);
        QFETCH(QString, expected);
        ClockPulses pulses;
        QStringList steps;
        for (int step = 0; step <= expected.count('|'); ++step) {
            if (step == change) {
                pulses.restart();
                tempo = tempo2;
                subdivs = subdivs2;
            }
            QStringList offsets;
            for (double ms : pulses.nextStep(60000 / (tempo * subdivs), subdivs))
                offsets << QString::number(std::round(ms * 1000) / 1000);
            steps << offsets.join(' ');
        }
        QCOMPARE(steps.join('|'), expected);
    }

    // The option is chosen in the dialog and kept; Play sends Start, the pulses on the grid
    // with the notes, and releasing Play sends Stop.
    void patternPlaysWithClock() {
        FormFixture fixture;
        frmOptions& options = fixture.app().options();
        QVERIFY(!options.chkMidiClock->isChecked());
        options.chkMidiClock->setChecked(true);
        options.Command1->click();
        Form1& form = fixture.restart();
        QVERIFY(fixture.app().options().chkMidiClock->isChecked());
        form.txtBPM->setText("125");
        form.txtSubdivs->setText("2");  // 240 ms steps, 12 pulses each
        form.checkArray(3)->setValue(1, 2);
        form.BtnPlay->click();
        QTRY_VERIFY_WITH_TIMEOUT(clockOf(fixture).pulses.size() > 24, 5000);
        form.BtnPlay->click();

        const Heard heard = clockOf(fixture);
        for (int j = 0; j < heard.pulses.size(); ++j) QVERIFY(near(heard.pulses[j], 20.0 * j));
        QCOMPARE(heard.notes, QList<double>{480});  // step 3, on the pulse that starts beat 2
        QVERIFY(heard.stop >= heard.pulses.last());
    }

    // Each song row plays its pulses at its own tempo from its first step on; the song's end
    // is the Stop, with no pulse on it.
    void songFollowsRowTempos() {
        FormFixture fixture;
        fixture.transport().setClockEnabled(true);
        fixture.editSong([](Song& song) {
            song.rows = 2;
            for (int r = 1; r <= 2; ++r) {
                StoredPattern& record = song.store[r];
                record = StoredPattern();
                record.Loops = 1;
                record.Takt = 1;
                record.SubDivs = r == 1 ? 4 : 5;  // 4 steps of 120 ms, then 5 steps
                record.BPM = r == 1 ? 125 : 100;
            }
        });
        fixture.form().cmdPlySng->click();
        QTRY_COMPARE_WITH_TIMEOUT(fixture.transport().state(), Transport::State::Stopped, 5000);

        const Heard heard = clockOf(fixture);
        QCOMPARE(heard.pulses.size(), 48);
        for (int j = 0; j < 48; ++j)
            QVERIFY(near(heard.pulses[j], j < 24 ? 20.0 * j : 480 + 25.0 * (j - 24)));
        QVERIFY(near(heard.stop, 1080));
    }

private:
    // What the device heard after Start, in ms after it; Start first and Stop last.
    struct Heard {
        QList<double> pulses, notes;
        double stop = -1;
    };
    static Heard clockOf(FormFixture& fixture) {
        const QList<midi::RecordedMessage> got = midi::VirtualDevices::received(fixture.device());
        Heard heard;
        if (got.isEmpty() || got.first().shortMessage != 0xFA) return heard;
        for (const midi::RecordedMessage& m : got.mid(1)) {
            const double at = msBetween(got.first().stamp, m.stamp);
            if (heard.stop >= 0) heard.stop = -2;  // something after Stop
            if (m.shortMessage == 0xF8) heard.pulses << at;
            if ((m.shortMessage & 0xFF) == 0x99 && (m.shortMessage >> 16) != 0) heard.notes << at;
            if (m.shortMessage == 0xFC) heard.stop = at;
        }
        return heard;
    }
    static bool near(double ms, double expected) { return std::fabs(ms - expected) < 0.001; }
};

QTEST_MAIN(TstMidiClock)
#include "tst_midiclock.moc"
