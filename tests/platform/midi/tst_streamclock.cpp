#include "midi/streamclock.h"

#include <QTest>
#include <algorithm>
#include <random>

using midi::detail::StreamClock;
using namespace std::chrono;

namespace {

constexpr double kRate = 96000;
constexpr int kRequestFrames = 288;  // 3 ms

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
        QTest::addColumn<double>("spreadMs");
        QTest::newRow("exact device") << 0.0 << 0.0 << 0.0 << 0.0 << 0.01;
        QTest::newRow("300 ppm fast, requests up to 2 ms late")
            << 300.0 << 2.0 << 0.0 << 0.0 << 0.2;
        QTest::newRow("500 ppm slow, requests up to 2 ms late")
            << -500.0 << 2.0 << 0.0 << 0.0 << 0.2;
        QTest::newRow("a busy 30 ms with requests 15 ms late every second")
            << 100.0 << 1.0 << 15.0 << 0.0 << 0.2;
        QTest::newRow("underrun of 50 ms") << 300.0 << 1.0 << 0.0 << 50.0 << 0.2;
    }
    void followsTheDevice() {
        QFETCH(double, ppm);
        QFETCH(double, lateMs);
        QFETCH(double, spikeMs);
        QFETCH(double, stallMs);
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
};

QTEST_APPLESS_MAIN(TstStreamClock)
#include "tst_streamclock.moc"
