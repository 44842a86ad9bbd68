#include "midi/cycleclock.h"
#include "midi/jacktiming.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using midi::detail::CycleClock;
using midi::detail::JackTiming;

// Where an event's JACK frame lands in a cycle, and how far ahead events are placed.
class TstJackTiming : public QObject {
    Q_OBJECT

private slots:
    void offsetInCycle_data() {
        QTest::addColumn<uint>("frame");
        QTest::addColumn<uint>("cycleStart");
        QTest::addColumn<uint>("frames");
        QTest::addColumn<int>("offset");
        QTest::newRow("first frame") << 1000u << 1000u << 256u << 0;
        QTest::newRow("inside") << 1100u << 1000u << 256u << 100;
        QTest::newRow("last frame") << 1255u << 1000u << 256u << 255;
        QTest::newRow("next cycle") << 1256u << 1000u << 256u << -1;
        QTest::newRow("late: at the start") << 900u << 1000u << 256u << 0;
        QTest::newRow("frame counter wrapped") << 20u << 0xFFFFFFF0u << 1024u << 36;
        QTest::newRow("late across the wrap") << 0xFFFFFFF0u << 20u << 1024u << 0;
        QTest::newRow("far ahead across the wrap") << 2000u << 0xFFFFFFF0u << 1024u << -1;
    }
    void offsetInCycle() {
        QFETCH(uint, frame);
        QFETCH(uint, cycleStart);
        QFETCH(uint, frames);
        QFETCH(int, offset);
        QCOMPARE(JackTiming::offsetInCycle(frame, cycleStart, frames), offset);
    }

    void latency_data() {
        QTest::addColumn<uint>("bufferFrames");
        QTest::addColumn<uint>("rate");
        QTest::addColumn<qint64>("micros");
        QTest::newRow("256 at 48 kHz") << 256u << 48000u << qint64(25334);
        QTest::newRow("1024 at 48 kHz") << 1024u << 48000u << qint64(41334);
        QTest::newRow("4096 at 44.1 kHz") << 4096u << 44100u << qint64(112880);
        QTest::newRow("no rate known") << 256u << 0u << qint64(20000);
    }
    void latency() {
        QFETCH(uint, bufferFrames);
        QFETCH(uint, rate);
        QFETCH(qint64, micros);
        QCOMPARE(std::chrono::duration_cast<std::chrono::microseconds>(
                     JackTiming::latency(bufferFrames, rate))
                     .count(),
                 micros);
    }

    void engineFrame_data() {
        QTest::addColumn<uint>("frame");
        QTest::addColumn<uint>("cycleStart");
        QTest::addColumn<qint64>("streamFrames");
        QTest::addColumn<uint>("rate");
        QTest::addColumn<qint64>("engineFrame");
        QTest::newRow("first cycle, 48 kHz") << 5010u << 5000u << qint64(0) << 48000u << qint64(20);
        QTest::newRow("later cycle") << 5300u << 5256u << qint64(256) << 48000u << qint64(600);
        QTest::newRow("44.1 kHz") << 441u << 0u << qint64(44100) << 44100u << qint64(96960);
        QTest::newRow("across the wrap")
            << 10u << 0xFFFFFF00u << qint64(1000) << 48000u << qint64(2532);
        QTest::newRow("late event") << 4990u << 5000u << qint64(512) << 48000u << qint64(1004);
    }
    void engineFrame() {
        QFETCH(uint, frame);
        QFETCH(uint, cycleStart);
        QFETCH(qint64, streamFrames);
        QFETCH(uint, rate);
        QFETCH(qint64, engineFrame);
        QCOMPARE(JackTiming::engineFrame(frame, cycleStart, streamFrames, rate, 96000),
                 engineFrame);
    }

    // Cycles whose starts are seen up to `jitterUs` late: the frame of a time 30 ms ahead
    // moves by at most `most` frames either way around its mean (a constant offset is only
    // latency); a jump of the frame counter is followed at once.
    void cycleClockFollowsTheServer_data() {
        QTest::addColumn<uint>("frames");
        QTest::addColumn<int>("jitterUs");
        QTest::addColumn<bool>("jump");
        QTest::addColumn<double>("most");
        QTest::newRow("256, steady") << 256u << 0 << false << 0.5;
        QTest::newRow("256, 0.3 ms late at most") << 256u << 300 << false << 1.5;
        QTest::newRow("1024, 0.3 ms late at most") << 1024u << 300 << false << 2.0;
        QTest::newRow("1024, 1 ms late at most") << 1024u << 1000 << false << 6.0;
        QTest::newRow("256, frames jump") << 256u << 300 << true << 1.5;
    }
    void cycleClockFollowsTheServer() {
        QFETCH(uint, frames);
        QFETCH(int, jitterUs);
        QFETCH(bool, jump);
        QFETCH(double, most);
        constexpr uint kRate = 48000;
        QRandomGenerator random(7);
        CycleClock clock;
        const auto origin = CycleClock::Clock::now();
        const auto timeOf = [&](double frame) {  // the true time of a frame
            return origin + std::chrono::nanoseconds(qint64(frame * 1e9 / kRate));
        };
        std::uint32_t frame = 0xFFFF0000u;  // the counter wraps on the way
        double truth = 0;                   // frames since origin
        double lowest = 1e9, highest = -1e9;
        for (int cycle = 0; cycle < 2000; ++cycle) {
            if (jump && cycle == 1000) {  // the server skipped cycles
                frame += 10 * frames;
                truth += 10 * frames;
            }
            const auto late = std::chrono::microseconds(random.bounded(jitterUs + 1));
            clock.cycle(frame, frames, kRate, timeOf(truth) + late);
            const double ahead = 0.030 * kRate;
            const double error = double(std::int32_t(clock.frameAt(timeOf(truth + ahead)) -
                                                     (frame + std::uint32_t(ahead))));
            if (cycle >= 1500 || (!jump && cycle >= 500)) {
                lowest = std::min(lowest, error);
                highest = std::max(highest, error);
            }
            frame += frames;
            truth += frames;
        }
        QVERIFY2((highest - lowest) / 2 <= most,
                 qPrintable(QStringLiteral("%1 to %2 frames").arg(lowest).arg(highest)));
    }
};

QTEST_MAIN(TstJackTiming)
#include "tst_jacktiming.moc"
