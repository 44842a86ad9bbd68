#include "midi/streamclock.h"

#include <QTest>
#include <algorithm>
#include <deque>
#include <random>

using midi::detail::StreamClock;
using namespace std::chrono;

namespace {

constexpr double kRate = 96000;
constexpr int kRequestFrames = 288;  // 3 ms
constexpr int kFillFrames = 576;     // the buffer filled before the device plays
constexpr double kStepMs = 125;
constexpr double kLatencyMs = 9;  // from an event's time until its frame is asked for

StreamClock::Clock::time_point at(double ms) {
    return StreamClock::Clock::time_point{} +
           duration_cast<nanoseconds>(duration<double, std::milli>(ms));
}

}  // namespace

// The mapping from the steady clock to a stream's frames, fed with the requests of a
// simulated device: its clock off by some parts per million, its requests late by a random
// amount, now and then much later, and once its timeline shifted by a stall.
class TstStreamClock : public QObject {
    Q_OBJECT

private slots:
    void followsTheDevice_data() {
        QTest::addColumn<double>("ppm");
        QTest::addColumn<double>("lateMs");   // each request late by up to this
        QTest::addColumn<double>("spikeMs");  // ten requests in a row a second this late
        QTest::addColumn<double>("stallMs");  // the timeline shifted by this at 1.5 s
        QTest::addColumn<double>("strayMs");  // one request a second this late
        QTest::addColumn<double>("spreadMs");
        QTest::newRow("exact device") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.01;
        QTest::newRow("300 ppm fast, requests up to 2 ms late")
            << 300.0 << 2.0 << 0.0 << 0.0 << 0.0 << 0.2;
        QTest::newRow("500 ppm slow, requests up to 2 ms late")
            << -500.0 << 2.0 << 0.0 << 0.0 << 0.0 << 0.2;
        QTest::newRow("a busy 30 ms with requests 15 ms late every second")
            << 100.0 << 1.0 << 15.0 << 0.0 << 0.0 << 0.2;
        QTest::newRow("underrun of 50 ms") << 300.0 << 1.0 << 0.0 << 50.0 << 0.0 << 0.2;
        QTest::newRow("a request 25 ms late every second")
            << 300.0 << 1.0 << 0.0 << 0.0 << 25.0 << 0.2;
    }
    void followsTheDevice() {
        QFETCH(double, ppm);
        QFETCH(double, lateMs);
        QFETCH(double, spikeMs);
        QFETCH(double, stallMs);
        QFETCH(double, strayMs);
        QFETCH(double, spreadMs);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> late(0, lateMs);
        StreamClock clock(kRate);
        const StreamClock::Clock::time_point start{};
        const double secondsPerFrame = 1 / (kRate * (1 + ppm * 1e-6));
        const int perSecond = int(kRate) / kRequestFrames;
        double lowest = 1e9, highest = -1e9;
        for (int k = 1; k <= 4 * perSecond; ++k) {
            const qint64 end = qint64(k) * kRequestFrames;
            double ideal = double(end) * secondsPerFrame;
            if (k > perSecond * 3 / 2) ideal += stallMs / 1000;
            double delay = late(random) / 1000;
            if (k % perSecond < 10) delay += spikeMs / 1000;
            if (k % perSecond == 0) delay += strayMs / 1000;
            clock.request(start + duration_cast<nanoseconds>(duration<double>(ideal + delay)), end);
            if (k < perSecond * 5 / 2) continue;  // settling, also after the underrun
            const qint64 frame =
                clock.frameAt(start + duration_cast<nanoseconds>(duration<double>(ideal)));
            const double errorMs = double(frame - end) / kRate * 1000;
            lowest = std::min(lowest, errorMs);
            highest = std::max(highest, errorMs);
        }
        QVERIFY2(highest - lowest <= spreadMs,
                 qPrintable(QStringLiteral("%1 .. %2 ms").arg(lowest).arg(highest)));
        // The mean lateness is a constant latency, never more than the latest request.
        QVERIFY2(std::fabs(highest) <= lateMs + 0.2, qPrintable(QString::number(highest)));
    }

    // Notes every 125 ms from 0 on; the stream started at 0 and paused from 2 s until the
    // note at 4 s resumes it. The device plays startMs after the start and resumeMs after
    // the resumption, at a clock ppm off. Every note must be placed at a frame still to be
    // rendered, the notes of one start at exactly their distance, and a device that starts
    // at once must add no delay. Notes further ahead than the clock places wait for a later
    // request, as the engine keeps them.
    void placesNotesFromTheDevicesStart_data() {
        QTest::addColumn<double>("startMs");
        QTest::addColumn<double>("resumeMs");
        QTest::addColumn<double>("ppm");
        QTest::addColumn<double>("earlyMs");  // the first request of a start before the others'
        QTest::newRow("plays at once") << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("new stream, sink wakes after 0.7 s") << 700.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("idle sink, 2 s block, 1380 ppm fast") << 1990.0 << 30.0 << 1380.0 << 0.0;
        QTest::newRow("suspended sink resumes after 0.4 s") << 4.0 << 400.0 << -300.0 << 0.0;
        QTest::newRow("first request 4 ms early") << 700.0 << 400.0 << 600.0 << 4.0;
        QTest::newRow("first request 3 ms late") << 700.0 << 400.0 << 0.0 << -3.0;
    }
    void placesNotesFromTheDevicesStart() {
        QFETCH(double, startMs);
        QFETCH(double, resumeMs);
        QFETCH(double, ppm);
        QFETCH(double, earlyMs);
        StreamClock clock(kRate);
        const double msPerFrame = 1000 / (kRate * (1 + ppm * 1e-6));
        qint64 position = 0;  // frames rendered
        double next = 0;      // the next note's time
        std::vector<qint64> placed[2];
        std::deque<double> waiting;  // notes sent, not yet placed
        for (int start = 0; start < 2; ++start) {
            const double from = start == 0 ? 0 : 4000;
            const double until = from + 2000;
            if (start == 1) clock.pause();
            position += kFillFrames;
            const double playsAt = from + (start == 0 ? startMs : resumeMs);
            for (double now = playsAt; next < until || !waiting.empty();
                 now += kRequestFrames * msPerFrame) {
                clock.request(at(now == playsAt ? now : now + earlyMs), position + kRequestFrames);
                for (; next <= now && next < until; next += kStepMs) waiting.push_back(next);
                for (; !waiting.empty(); waiting.pop_front()) {
                    const auto frame = clock.frameFor(at(waiting.front() + kLatencyMs), position);
                    if (!frame) break;
                    QVERIFY2(*frame >= position,
                             qPrintable(QStringLiteral("note at %1 ms lost").arg(waiting.front())));
                    placed[start].push_back(*frame);
                }
                position += kRequestFrames;
            }
            next = 4000;
            const double lateMs = double(clock.startDelayFrames()) * 1000 / kRate;
            const double startedMs = start == 0 ? startMs : resumeMs;
            QVERIFY2(lateMs <= std::max(0.0, startedMs - kLatencyMs + 3.1),
                     qPrintable(QStringLiteral("start %1: %2 ms late").arg(start).arg(lateMs)));
        }
        for (const auto& frames : placed) {
            QCOMPARE(frames.size(), size_t(16));
            for (size_t i = 1; i < frames.size(); ++i) {
                const double stepMs = double(frames[i] - frames[i - 1]) * msPerFrame;
                QVERIFY2(std::fabs(stepMs - kStepMs) < 0.02, qPrintable(QString::number(stepMs)));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TstStreamClock)
#include "tst_streamclock.moc"
