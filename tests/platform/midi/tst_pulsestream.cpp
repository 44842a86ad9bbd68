#include "midi/pulsestream.h"
#include "privatesoundserver.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

using midi::detail::PulseStream;

// The rate the synthesizer's stream plays at, so that the sound server need not resample it,
// and the equal pieces it writes.
class TstPulseStream : public QObject {
    Q_OBJECT

private slots:
    void rateFollowsTheSink_data() {
        QTest::addColumn<uint>("sinkRate");
        QTest::addColumn<int>("rate");  // with 96 kHz to fall back on
        QTest::newRow("a sink at 44.1 kHz") << 44100u << 44100;
        QTest::newRow("a sink at 48 kHz") << 48000u << 48000;
        QTest::newRow("an uncommon rate in range") << 50000u << 50000;
        QTest::newRow("the lowest followed") << 22050u << 22050;
        QTest::newRow("the highest followed") << 192000u << 192000;
        QTest::newRow("unknown") << 0u << 96000;
        QTest::newRow("too low for drums") << 8000u << 96000;
        QTest::newRow("beyond any card") << 384000u << 96000;
    }
    void rateFollowsTheSink() {
        QFETCH(uint, sinkRate);
        QFETCH(int, rate);
        QCOMPARE(PulseStream::rateFor(sinkRate, 96000), rate);
    }

    // A plain server's null sink: every write is a whole piece, and what a request leaves
    // is asked for again by the next.
    void writesWholePiecesAndLeavesTheRest() {
        PrivateSoundServer server(PrivateSoundServer::Setup::Plain);
        if (!server.isRunning()) QSKIP(qPrintable(server.reason()));
        PulseStream stream;
        QVERIFY(stream.connect(48000));
        const int piece = int(std::llround(stream.rate() * 0.00145));
        std::mutex mutex;
        std::vector<std::pair<int, int>> requests;  // frames rendered, frames asked
        QVERIFY(stream.open([&](float* stereo, int frames, int asked, auto, auto) {
            std::fill_n(stereo, 2 * frames, 0.0f);
            std::lock_guard lock(mutex);
            requests.emplace_back(frames, asked);
            return true;
        }));
        // A sink that was idle may take a few seconds to play.
        QTRY_VERIFY_WITH_TIMEOUT((std::lock_guard(mutex), requests.size() >= 100), 10000);
        stream.close();
        for (size_t i = 0; i < requests.size(); ++i) {
            const auto [frames, asked] = requests[i];
            QCOMPARE(frames % piece, 0);
            QVERIFY(frames > 0 && asked - frames < piece);
            if (i > 0) QVERIFY(asked > requests[i - 1].second - requests[i - 1].first);
        }
    }
};

QTEST_GUILESS_MAIN(TstPulseStream)
#include "tst_pulsestream.moc"
