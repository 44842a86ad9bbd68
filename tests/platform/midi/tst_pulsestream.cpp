#include "midi/pulsestream.h"

#include <QTest>

using midi::detail::PulseStream;

// The rate the synthesizer's stream plays at, so that the sound server need not resample it.
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
};

QTEST_APPLESS_MAIN(TstPulseStream)
#include "tst_pulsestream.moc"
