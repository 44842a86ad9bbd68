#include "midi/alsabackend.h"
#include "midi/alsasequencer.h"
#include "stderrcapture.h"

#include <dlfcn.h>
#include <link.h>
#include <QFile>
#include <QTest>
#include <cstring>

using namespace midi;
using midi::detail::MidiBackend;

// The ALSA sequencer backend: quiet and harmless where there is no sequencer (no
// /dev/snd, as in CI), real ports where there is one.
class TstAlsaBackend : public QObject {
    Q_OBJECT

    static bool hasSequencer() { return QFile::exists(QStringLiteral("/dev/snd/seq")); }
    static bool isLoaded(const char* library) {
        const auto found = [](dl_phdr_info* info, size_t, void* name) {
            return int(std::strstr(info->dlpi_name, static_cast<const char*>(name)) != nullptr);
        };
        return dl_iterate_phdr(found, const_cast<char*>(library)) != 0;
    }
    // The module's backend itself, with or without a sequencer device.
    static MidiBackend* sequencer() {
        void* module = dlopen(BEATLOFT_ALSA_MODULE, RTLD_NOW | RTLD_LOCAL);
        if (!module) qFatal("%s", dlerror());
        const auto entry = reinterpret_cast<decltype(&beatloftAlsaSequencer)>(
            dlsym(module, "beatloftAlsaSequencer"));
        return entry ? entry() : nullptr;
    }

private slots:
    // RtMidi and the libraries it brings load with the module, only where a sequencer is
    // (first: the other tests load the module).
    void withoutASequencerNoMidiLibraryLoads_data() {
        QTest::addColumn<QByteArray>("library");
        QTest::newRow("RtMidi") << QByteArray("/librtmidi.so");
        QTest::newRow("ALSA") << QByteArray("/libasound.so");
        QTest::newRow("JACK") << QByteArray("/libjack.so");
    }
    void withoutASequencerNoMidiLibraryLoads() {
        if (hasSequencer()) QSKIP("the system has an ALSA sequencer (/dev/snd/seq)");
        QFETCH(QByteArray, library);
        QVERIFY(!detail::alsaBackend());
        QVERIFY(!isLoaded(library.constData()));
    }

    void listsPortsQuietly() {
        StderrCapture capture;
        MidiBackend* alsa = sequencer();
        QVERIFY(alsa);
        const auto outputs = alsa->outputs();
        const auto inputs = alsa->inputs();
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
        MidiBackend* alsa = sequencer();
        std::unique_ptr<detail::OutputConnection> output;
        QCOMPARE(alsa->openOutput(QStringLiteral("No Such Port 999:0"), &output), kError);
        QVERIFY(!output);
        std::unique_ptr<detail::InputConnection> input;
        QCOMPARE(alsa->openInput(QStringLiteral("No Such Port 999:0"), nullptr, &input), kError);
        QVERIFY(!input);
        QCOMPARE(capture.text(), QByteArray());
    }

    void ownPortsAreLeftOut() {
        if (!hasSequencer()) QSKIP("needs an ALSA sequencer (/dev/snd/seq)");
        MidiBackend* alsa = detail::alsaBackend();
        QCOMPARE(alsa, sequencer());
        const auto inputs = alsa->inputs();
        if (inputs.isEmpty()) QSKIP("the sequencer has no readable port");
        // While one of our inputs is open, its port must not appear as an output.
        std::unique_ptr<detail::InputConnection> input;
        QCOMPARE(alsa->openInput(inputs.first().key, nullptr, &input), kNoError);
        const auto outputs = alsa->outputs();
        for (const auto& port : outputs) QVERIFY(!port.key.startsWith(QStringLiteral("Beatloft:")));
    }

    void openCloseCycles() {
        MidiBackend* alsa = sequencer();
        const auto outputs = alsa->outputs();
        for (const auto& port : outputs) {
            for (int cycle = 0; cycle < 3; ++cycle) {
                std::unique_ptr<detail::OutputConnection> output;
                if (alsa->openOutput(port.key, &output) != kNoError) break;
                QCOMPARE(output->sendShort(0xF8), kNoError);
            }
        }
        if (outputs.isEmpty()) QCOMPARE(alsa->outputs().size(), 0);
    }
};

QTEST_MAIN(TstAlsaBackend)
#include "tst_alsabackend.moc"
