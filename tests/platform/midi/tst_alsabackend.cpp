#include "midi/alsabackend.h"
#include "stderrcapture.h"

#include <QFile>
#include <QTest>

using namespace midi;
using midi::detail::AlsaBackend;

// The ALSA sequencer backend: quiet and harmless where there is no sequencer (no
// /dev/snd, as in CI), real ports where there is one.
class TstAlsaBackend : public QObject {
    Q_OBJECT

    static bool hasSequencer() { return QFile::exists(QStringLiteral("/dev/snd/seq")); }

private slots:
    void listsPortsQuietly() {
        StderrCapture capture;
        AlsaBackend alsa;
        const auto outputs = alsa.outputs();
        const auto inputs = alsa.inputs();
        QCOMPARE(capture.text(), QByteArray());
        if (!hasSequencer()) {
            QVERIFY(outputs.isEmpty());
            QVERIFY(inputs.isEmpty());
        }
        for (const auto& port : outputs + inputs) {
            QVERIFY(!port.productName.isEmpty());
            QVERIFY(!port.productName.startsWith(QStringLiteral("Beatloft:")));
        }
    }

    void anUnknownPortDoesNotOpen() {
        StderrCapture capture;
        AlsaBackend alsa;
        std::unique_ptr<detail::OutputConnection> output;
        QCOMPARE(alsa.openOutput(QStringLiteral("No Such Port 999:0"), &output), kError);
        QVERIFY(!output);
        std::unique_ptr<detail::InputConnection> input;
        QCOMPARE(alsa.openInput(QStringLiteral("No Such Port 999:0"), nullptr, &input), kError);
        QVERIFY(!input);
        QCOMPARE(capture.text(), QByteArray());
    }

    void ownPortsAreLeftOut() {
        if (!hasSequencer()) QSKIP("needs an ALSA sequencer (/dev/snd/seq)");
        AlsaBackend alsa;
        const auto inputs = alsa.inputs();
        if (inputs.isEmpty()) QSKIP("the sequencer has no readable port");
        // While one of our inputs is open, its port must not appear as an output.
        std::unique_ptr<detail::InputConnection> input;
        QCOMPARE(alsa.openInput(inputs.first().key, nullptr, &input), kNoError);
        const auto outputs = alsa.outputs();
        for (const auto& port : outputs) QVERIFY(!port.key.startsWith(QStringLiteral("Beatloft:")));
    }

    void openCloseCycles() {
        AlsaBackend alsa;
        const auto outputs = alsa.outputs();
        for (const auto& port : outputs) {
            for (int cycle = 0; cycle < 3; ++cycle) {
                std::unique_ptr<detail::OutputConnection> output;
                if (alsa.openOutput(port.key, &output) != kNoError) break;
                QCOMPARE(output->sendShort(0xF8), kNoError);
            }
        }
        if (outputs.isEmpty()) QCOMPARE(alsa.outputs().size(), 0);
    }
};

QTEST_MAIN(TstAlsaBackend)
#include "tst_alsabackend.moc"
