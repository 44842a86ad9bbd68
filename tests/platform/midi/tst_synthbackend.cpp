#include "midi/midiservices.h"
#include "midi/offlinerenderer.h"
#include "midi/soundfontlocator.h"
#include "midi/synthengine.h"
#include "midi/timedrenderer.h"
#include "midi/virtualdevices.h"
#include "settingssandbox.h"
#include "stderrcapture.h"
#include "system/settingsstore.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>

using namespace midi;

namespace {

constexpr int kRate = OfflineRenderer::kSampleRate;

// Largest absolute sample (both channels) in [from, to) seconds.
int peak(const std::vector<std::int16_t>& samples, double from, double to) {
    int level = 0;
    const auto first = static_cast<size_t>(std::max(0.0, from) * kRate) * 2;
    const auto last = std::min(samples.size(), static_cast<size_t>(to * kRate) * 2);
    for (size_t i = first; i < last; ++i) level = std::max(level, std::abs(int(samples[i])));
    return level;
}

double rms(const std::vector<std::int16_t>& samples, double from, double to) {
    double sum = 0;
    const auto first = static_cast<size_t>(from * kRate) * 2;
    const auto last = std::min(samples.size(), static_cast<size_t>(to * kRate) * 2);
    for (size_t i = first; i < last; ++i) sum += double(samples[i]) * samples[i];
    return last > first ? std::sqrt(sum / double(last - first)) : 0;
}

// What Beatloft sends for one drum note: a note-on on channel 10, then at once velocity 0.
QList<TimedMessage> drumNote(double seconds, int note, int velocity) {
    return {{seconds, 0x99u | unsigned(note) << 8 | unsigned(velocity) << 16},
            {seconds, 0x99u | unsigned(note) << 8}};
}

// When a sidestick stamped at `at` is first heard, in seconds (-1: never); `before` is
// played ahead of it and dies away by then.
double onset(double at, const QList<TimedMessage>& before = {}) {
    std::vector<std::int16_t> samples;
    if (!OfflineRenderer::renderToBuffer(before + drumNote(at, 37, 126), at + 0.1, &samples))
        return -1;
    for (size_t i = size_t(std::max(0.0, at - 0.001) * kRate) * 2; i < samples.size(); ++i)
        if (std::abs(int(samples[i])) > 1000) return double(i / 2) / kRate;
    return -1;
}

void touch(const QString& path, const QByteArray& content = "not a sound font") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

bool fluidSynthIsMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libfluidsynth");
}

}  // namespace

// The built-in synthesizer as a device, its sound font search and the offline renderer.
class TstSynthBackend : public QObject {
    Q_OBJECT

    MidiServices& services = MidiServices::instance();
    SettingsSandbox* sandbox = nullptr;

    unsigned synthId() {
        services.useVirtualOnly(false);
        return services.outputCount() - 1;
    }

private slots:
    void init() {
        sandbox = new SettingsSandbox;
        qunsetenv("BEATLOFT_SOUNDFONT");
        SoundFontLocator::setSystemFolders({});
    }
    void cleanup() {
        SoundFontLocator::setSystemFolders({});
        services.useVirtualOnly(true);
        delete sandbox;
        sandbox = nullptr;
    }

    // First of all: the device list leaves the synthesizer library unloaded; the first
    // synthesizer made opens it.
    void theLibraryIsOpenedByTheFirstSynthesizer() {
        synthId();  // reads the device list
        QVERIFY(!fluidSynthIsMapped());
        std::vector<std::int16_t> samples;
        QVERIFY(OfflineRenderer::renderToBuffer(drumNote(0, 36, 126), 0.1, &samples));
        QVERIFY(fluidSynthIsMapped());
    }

    // First: the engine is made once per process, so only an opening before the first
    // successful one can fail for want of a sound font.
    void withoutSoundFontOpeningFailsWithError() {
        QTemporaryDir empty;
        SoundFontLocator::setSystemFolders({empty.path()});
        OutputHandle handle = 99;
        QCOMPARE(services.openOutput(synthId(), &handle), kError);
        QCOMPARE(handle, 0u);
        std::vector<std::int16_t> samples;
        QString error;
        QVERIFY(!OfflineRenderer::renderToBuffer(drumNote(0, 36, 126), 0.1, &samples, &error));
        QVERIFY(!error.isEmpty());
    }

    // The window's start: the device opens at once and keeps what it is sent; the engine
    // starts only when the window has been drawn.
    void aPreparedSynthesizerStartsWhenAllowed() {
        const unsigned id = synthId();
        services.prepareOutput(id);
        QTRY_VERIFY(detail::SynthEngine::instance().isStarting());
        OutputHandle handle = 0;
        QCOMPARE(services.openOutput(id, &handle), kNoError);
        QCOMPARE(services.shortMessage(handle, 0x007E2499), kNoError);
        QTest::qWait(300);  // the engine starts within this when nothing holds it
        QCOMPARE(detail::SynthEngine::instance().fontLoads(), 0);
        services.startPreparing();
        services.finishPreparing();
        QCOMPARE(detail::SynthEngine::instance().fontLoads(), 1);
        QVERIFY(!detail::SynthEngine::instance().isStarting());
        QCOMPARE(services.closeOutput(handle), kNoError);
    }

    void isTheLastOutputAndNeverAnInput() {
        const unsigned id = synthId();
        DeviceCaps caps;
        QCOMPARE(services.outputCaps(id, &caps), kNoError);
        QCOMPARE(caps.productName, QStringLiteral("Beatloft GM Synth"));
        for (unsigned in = 0; in < services.inputCount(); ++in) {
            QCOMPARE(services.inputCaps(in, &caps), kNoError);
            QVERIFY(caps.productName != QStringLiteral("Beatloft GM Synth"));
        }
    }

    void opensAndClosesQuietlyWithoutSoundHardware() {
        const unsigned id = synthId();
        StderrCapture capture;
        for (int cycle = 0; cycle < 3; ++cycle) {
            OutputHandle handle = 0;
            QCOMPARE(services.openOutput(id, &handle), kNoError);
            QVERIFY(handle != 0);
            QCOMPARE(services.shortMessage(handle, 0x007E2499), kNoError);
            QCOMPARE(services.shortMessage(handle, 0x00002499), kNoError);
            QCOMPARE(services.closeOutput(handle), kNoError);
        }
        QCOMPARE(capture.text(), QByteArray());
    }

    void openingAgainKeepsTheLoadedFont() {
        const unsigned id = synthId();
        for (int cycle = 0; cycle < 3; ++cycle) {
            OutputHandle handle = 0;
            QCOMPARE(services.openOutput(id, &handle), kNoError);
            QCOMPARE(services.closeOutput(handle), kNoError);
        }
        QCOMPARE(detail::SynthEngine::instance().fontLoads(), 1);
    }

    void closingSilencesHeldNotes() {
        OutputHandle handle = 0;
        QCOMPARE(services.openOutput(synthId(), &handle), kNoError);
        QCOMPARE(services.shortMessage(handle, 0x00643C90), kNoError);  // piano, held
        QVERIFY(detail::SynthEngine::instance().soundingVoices() > 0);
        QCOMPARE(services.closeOutput(handle), kNoError);
        QCOMPARE(detail::SynthEngine::instance().soundingVoices(), 0);
    }

    void takesEveryKindOfMessage_data() {
        QTest::addColumn<uint>("message");
        QTest::newRow("note on") << 0x00643C90u;
        QTest::newRow("note on velocity 0") << 0x00003C90u;
        QTest::newRow("note off") << 0x00403C80u;
        QTest::newRow("key pressure") << 0x00203CA0u;
        QTest::newRow("control change") << 0x00500791u;
        QTest::newRow("program change") << 0x000019C1u;
        QTest::newRow("channel pressure") << 0x000040D2u;
        QTest::newRow("pitch bend") << 0x004000E3u;
        QTest::newRow("running status") << 0x00643Cu;
        QTest::newRow("clock") << 0xF8u;
        QTest::newRow("system reset") << 0xFFu;
    }
    void takesEveryKindOfMessage() {
        QFETCH(uint, message);
        OutputHandle handle = 0;
        QCOMPARE(services.openOutput(synthId(), &handle), kNoError);
        QCOMPARE(services.shortMessage(handle, message), kNoError);
        QCOMPARE(services.resetOutput(handle), kNoError);
        QCOMPARE(services.closeOutput(handle), kNoError);
    }

    void sendsSystemExclusiveBlocks() {
        OutputHandle handle = 0;
        QCOMPARE(services.openOutput(synthId(), &handle), kNoError);
        char gmOn[] = "\xF0\x7E\x7F\x09\x01\xF7";
        MidiHeader header{gmOn, 6, 0, 0};
        QCOMPARE(services.longMessage(handle, &header), kUnprepared);
        QCOMPARE(services.prepareOutputHeader(handle, &header), kNoError);
        QCOMPARE(services.longMessage(handle, &header), kNoError);
        QVERIFY(header.flags & MidiHeader::kDone);
        QCOMPARE(services.unprepareOutputHeader(handle, &header), kNoError);
        QCOMPARE(services.closeOutput(handle), kNoError);
    }

    void soundFontSearchOrder() {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("sf2");
        QDir(dir.path()).mkdir("sf3");
        const QString sf2 = dir.filePath("sf2");
        const QString sf3 = dir.filePath("sf3");
        touch(sf2 + "/notes.txt");
        SoundFontLocator::setSystemFolders({sf2, sf3});
        QVERIFY(!SoundFontLocator::hasAny());
        touch(sf3 + "/c.sf3");
        QVERIFY(SoundFontLocator::hasAny());  // found by listing the folders only
        touch(sf2 + "/b.sf2");
        touch(sf2 + "/TimGM6mb.sf2");
        touch(sf2 + "/a.sf2");
        touch(dir.filePath("configured.sf2"));
        touch(dir.filePath("environment.sf2"));

        QCOMPARE(SoundFontLocator::candidates(), QStringList({sf2 + "/TimGM6mb.sf2", sf2 + "/a.sf2",
                                                              sf2 + "/b.sf2", sf3 + "/c.sf3"}));
        qputenv("BEATLOFT_SOUNDFONT", dir.filePath("environment.sf2").toLocal8Bit());
        QCOMPARE(SoundFontLocator::find(), dir.filePath("environment.sf2"));
        sys::SettingsStore::setValue("Midi", "SoundFont", dir.filePath("missing.sf2"));
        QCOMPARE(SoundFontLocator::find(), dir.filePath("environment.sf2"));
        sys::SettingsStore::setValue("Midi", "SoundFont", dir.filePath("configured.sf2"));
        QCOMPARE(SoundFontLocator::candidates().mid(0, 3),
                 QStringList({dir.filePath("configured.sf2"), dir.filePath("environment.sf2"),
                              sf2 + "/TimGM6mb.sf2"}));
    }

    void aFontThatDoesNotLoadIsPassedOver_data() {
        QTest::addColumn<QByteArray>("content");  // none: the file is missing
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("no sound font") << QByteArray("not a sound font");
        QFile real(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"));
        if (real.open(QIODevice::ReadOnly)) QTest::newRow("cut short") << real.read(100000);
    }
    void aFontThatDoesNotLoadIsPassedOver() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString broken = dir.filePath("broken.sf2");
        if (!content.isNull()) touch(broken, content);
        sys::SettingsStore::setValue("Midi", "SoundFont", broken);
        if (!content.isNull()) QCOMPARE(SoundFontLocator::find(), broken);
        const QString used = SoundFontLocator::candidates().value(content.isNull() ? 0 : 1);
        StderrCapture capture;
        std::vector<std::int16_t> samples;
        QVERIFY(OfflineRenderer::renderToBuffer(drumNote(0, 36, 126), 0.1, &samples));
        QVERIFY(peak(samples, 0, 0.1) > 1000);
        QVERIFY(OfflineRenderer::renderToBuffer(drumNote(0, 36, 126), 0.1, &samples));  // not again
        QCOMPARE(QString::fromUtf8(capture.text()),
                 QStringLiteral("beatloft: Soundfont kann nicht geladen werden: %1; stattdessen "
                                "wird %2 verwendet\n")
                     .arg(broken, used));
    }

    void drumNotesSoundAtTheirTime_data() {
        QTest::addColumn<int>("note");
        QTest::newRow("bass drum 36") << 36;
        QTest::newRow("snare 38") << 38;
        QTest::newRow("closed hi-hat 42") << 42;
    }
    void drumNotesSoundAtTheirTime() {
        QFETCH(int, note);
        const double at = 0.25;
        std::vector<std::int16_t> samples;
        QString error;
        QVERIFY2(OfflineRenderer::renderToBuffer(drumNote(at, note, 126), 1.0, &samples, &error),
                 qPrintable(error));
        QCOMPARE(samples.size(), size_t(2 * kRate));
        QVERIFY2(peak(samples, 0, at) <= 2, "silence before the note");
        QVERIFY2(peak(samples, at, at + 0.010) > 1000, "sound within 10 ms after the note");
        // velocity 0 right after the note-on ends the note, but does not cut the drum
        QVERIFY(rms(samples, at + 0.010, at + 0.060) > 100);
    }

    void aLouderLevelIsLouder_data() { drumNotesSoundAtTheirTime_data(); }
    void aLouderLevelIsLouder() {
        QFETCH(int, note);
        std::vector<std::int16_t> strong;
        std::vector<std::int16_t> light;
        QVERIFY(OfflineRenderer::renderToBuffer(drumNote(0, note, 126), 1.0, &strong));
        QVERIFY(OfflineRenderer::renderToBuffer(drumNote(0, note, 42), 1.0, &light));
        QVERIFY(rms(light, 0, 0.1) > 10);
        QVERIFY2(rms(strong, 0, 0.1) > 1.5 * rms(light, 0, 0.1),
                 qPrintable(
                     QStringLiteral("%1 vs %2").arg(rms(strong, 0, 0.1)).arg(rms(light, 0, 0.1))));
    }

    // Stamps at every phase of the engine's 64-frame block and of the output's samples, on a
    // fresh engine and on one whose voices played another drum (panned elsewhere) before.
    void messagesAreHeardAtTheirStamps_data() {
        QTest::addColumn<double>("at");
        QTest::addColumn<int>("before");  // a drum at 0 that has died away; 0: none
        const double frame = 1.0 / kRate;
        for (int offset : {0, 3, 4, 7, 21, 32, 33, 50, 60, 63})
            QTest::newRow(qPrintable(QStringLiteral("%1 frames into a block").arg(offset)))
                << 0.2 + offset * frame << 0;
        QTest::newRow("between output samples") << 0.3 + 0.4 / kRate << 0;
        for (int before : {36, 37, 42, 49})
            for (int offset : {5, 37})
                QTest::newRow(
                    qPrintable(QStringLiteral("%1 frames, after %2").arg(offset).arg(before)))
                    << 2.0 + offset * frame << before;
    }
    void messagesAreHeardAtTheirStamps() {
        QFETCH(double, at);
        QFETCH(int, before);
        const double reference = onset(0);  // the sidestick's own attack
        QVERIFY2(reference < 0.002, qPrintable(QString::number(reference)));
        const double error =
            onset(at, before ? drumNote(0, before, 126) : QList<TimedMessage>{}) - at - reference;
        QVERIFY2(std::fabs(error) <= 1.0 / kRate,
                 qPrintable(QStringLiteral("%1 frames").arg(error * kRate)));
    }

    // Engines made for a file: a note takes an engine with nothing sounding, and the notes
    // of one step share one.
    void aFileMakesEnginesOnlyForNotesThatOverlap_data() {
        QTest::addColumn<QList<int>>("drums");  // played together on every step
        QTest::addColumn<double>("step");       // seconds
        QTest::addColumn<int>("engines");
        QTest::newRow("a sidestick every 0.3 s") << QList<int>{37} << 0.3 << 1;
        QTest::newRow("a rock step every 0.3 s") << QList<int>{36, 38, 42} << 0.3 << 1;
        QTest::newRow("crashes every 0.05 s, still ringing") << QList<int>{49} << 0.05 << 4;
    }
    void aFileMakesEnginesOnlyForNotesThatOverlap() {
        QFETCH(QList<int>, drums);
        QFETCH(double, step);
        QFETCH(int, engines);
        detail::TimedRenderer renderer(kRate, detail::TimedRenderer::Engines::OnDemand);
        QVERIFY(renderer.create() == kNoError);
        for (int k = 0; k < 4; ++k)
            for (int drum : drums)
                for (const TimedMessage& m : drumNote(0.01 + k * step, drum, 126))
                    renderer.schedule(renderer.frameOf(m.seconds),
                                      detail::SynthEvent::shortMessage(m.message));
        std::vector<float> left(4096), right(4096);
        for (int i = 0; i < 2 * kRate / 4096; ++i)
            renderer.renderPlanar(left.data(), right.data(), 4096);
        QCOMPARE(renderer.engineCount(), engines);
    }

    // An engine made while the song plays hears what was said to the channels before: here
    // the drums turned down to nothing, then notes close enough that each needs an engine.
    void engineMadeLaterHearsTheChannels() {
        QList<TimedMessage> messages{{0, 0xB9u | 7u << 8}};
        for (int i = 0; i < 8; ++i) messages += drumNote(0.1 + i * 0.003, 49, 126);
        std::vector<std::int16_t> samples;
        QVERIFY(OfflineRenderer::renderToBuffer(messages, 0.5, &samples));
        QCOMPARE(peak(samples, 0, 0.5), 0);
        messages.removeFirst();
        QVERIFY(OfflineRenderer::renderToBuffer(messages, 0.5, &samples));
        QVERIFY(peak(samples, 0, 0.5) > 1000);
    }

    // The same note again ends the one sounding, wherever their blocks start.
    void aNoteEndsTheSameNoteBeforeIt_data() {
        QTest::addColumn<int>("frame");
        for (int frame : {1024, 1032, 1048, 1056, 1080, 1084})
            QTest::newRow(qPrintable(QString::number(frame))) << frame;
    }
    void aNoteEndsTheSameNoteBeforeIt() {
        QFETCH(int, frame);
        detail::TimedRenderer renderer;
        QVERIFY(renderer.create() == kNoError);
        const auto snare = detail::SynthEvent::shortMessage(0x99u | 38u << 8 | 100u << 16);
        std::vector<float> left(8192), right(8192);
        renderer.schedule(0, snare);
        renderer.renderPlanar(left.data(), right.data(), 1024);
        const int voices = renderer.soundingVoices();
        QVERIFY(voices > 0);
        renderer.schedule(frame, snare);
        renderer.renderPlanar(left.data(), right.data(), 8192);
        QCOMPARE(renderer.soundingVoices(), voices);
    }

    void aPatternSoundsEachNoteAtItsTime() {
        // Unsorted on purpose: the renderer orders by time.
        QList<TimedMessage> messages =
            drumNote(0.7, 42, 84) + drumNote(0.1, 36, 126) + drumNote(0.4, 38, 126);
        std::vector<std::int16_t> samples;
        QVERIFY(OfflineRenderer::renderToBuffer(messages, 1.0, &samples));
        QVERIFY(peak(samples, 0, 0.1) <= 2);
        for (double at : {0.1, 0.4, 0.7}) {
            QVERIFY(peak(samples, at, at + 0.010) > 4 * std::max(1, peak(samples, at - 0.010, at)));
        }
    }

    void writesAWaveFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("drums.wav");
        touch(path, "old");
        QVERIFY(OfflineRenderer::renderToWav(drumNote(0, 36, 126), 0.5, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        const int frames = kRate / 2;
        QCOMPARE(wav.size(), 44 + frames * 4);
        QCOMPARE(wav.left(4), QByteArray("RIFF"));
        QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 22), quint16(2));
        QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), quint32(kRate));
        QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 34), quint16(16));
        QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 40), quint32(frames * 4));
        std::vector<std::int16_t> samples;
        QVERIFY(OfflineRenderer::renderToBuffer(drumNote(0, 36, 126), 0.5, &samples));
        QCOMPARE(wav.mid(44),
                 QByteArray(reinterpret_cast<const char*>(samples.data()), frames * 4));
    }

    void aFailedWaveFileLeavesNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing folder/drums.wav");
        QString error;
        QVERIFY(!OfflineRenderer::renderToWav(drumNote(0, 36, 126), 0.5, path, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }

    void rendersFasterThanRealTime() {
        QList<TimedMessage> messages;
        for (int step = 0; step < 40; ++step) messages += drumNote(step * 0.125, 36 + step % 8, 84);
        std::vector<std::int16_t> samples;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(OfflineRenderer::renderToBuffer(messages, 5.0, &samples));
        QVERIFY(timer.elapsed() < 5000);
    }
};

QTEST_MAIN(TstSynthBackend)
#include "tst_synthbackend.moc"
