#include "midi/halfbanddecimator.h"

#include <QTest>
#include <cmath>
#include <numbers>
#include <vector>

using midi::detail::HalfBandDecimator;

namespace {

constexpr double kOutputRate = 44100;
constexpr int kChunk = 1000;  // input samples per call: the filter runs across calls

// The input through the decimator in chunks.
std::vector<float> decimated(const std::vector<float>& input) {
    HalfBandDecimator decimator;
    std::vector<float> output(input.size() / 2);
    for (size_t at = 0; at < input.size(); at += kChunk) {
        const int count = int(std::min<size_t>(kChunk, input.size() - at));
        decimator.process(input.data() + at, count, output.data() + at / 2, 1);
    }
    return output;
}

}  // namespace

// The half-band filter that halves the synthesizer's rate for 44.1 kHz output.
class TstHalfBandDecimator : public QObject {
    Q_OBJECT

private slots:
    void gainAtFrequency_data() {
        QTest::addColumn<double>("hertz");  // of a sine at twice the output rate
        QTest::addColumn<double>("lowestDb");
        QTest::addColumn<double>("highestDb");
        QTest::newRow("1 kHz passes") << 1000.0 << -0.01 << 0.01;
        QTest::newRow("18.9 kHz passes") << 18900.0 << -0.01 << 0.01;
        QTest::newRow("25.2 kHz folds to 18.9 kHz 80 dB down") << 25200.0 << -200.0 << -80.0;
        QTest::newRow("32 kHz folds to 12.1 kHz 80 dB down") << 32000.0 << -200.0 << -80.0;
        QTest::newRow("43 kHz folds to 1.1 kHz 80 dB down") << 43000.0 << -200.0 << -80.0;
    }
    void gainAtFrequency() {
        QFETCH(double, hertz);
        QFETCH(double, lowestDb);
        QFETCH(double, highestDb);
        std::vector<float> sine(20000);
        for (size_t i = 0; i < sine.size(); ++i)
            sine[i] = float(std::sin(2 * std::numbers::pi * hertz * double(i) / (2 * kOutputRate)));
        const std::vector<float> output = decimated(sine);
        double power = 0;
        const size_t settled = 200;
        for (size_t i = settled; i < output.size(); ++i) power += double(output[i]) * output[i];
        const double db = 10 * std::log10(2 * power / double(output.size() - settled));
        QVERIFY2(db >= lowestDb && db <= highestDb, qPrintable(QStringLiteral("%1 dB").arg(db)));
    }

    void anImpulseLeavesOnItsSample_data() {
        QTest::addColumn<int>("input");  // even: the input sample an output sample stands for
        QTest::newRow("first sample") << 0;
        QTest::newRow("a few samples in") << 40;
        QTest::newRow("at the end of a call") << kChunk - 2;
        QTest::newRow("at the start of a call") << kChunk;
    }
    void anImpulseLeavesOnItsSample() {
        QFETCH(int, input);
        std::vector<float> impulse(4 * kChunk, 0.0f);
        impulse[size_t(input)] = 1;
        const std::vector<float> output = decimated(impulse);
        const auto peak = std::max_element(output.begin(), output.end(), [](float a, float b) {
            return std::fabs(a) < std::fabs(b);
        });
        QCOMPARE(int(peak - output.begin()), input / 2 + HalfBandDecimator::kDelay);
        QCOMPARE(*peak, 0.5f);
    }
};

QTEST_MAIN(TstHalfBandDecimator)
#include "tst_halfbanddecimator.moc"
