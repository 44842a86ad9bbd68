#include "midi/synthengine.h"
#include "privatesoundserver.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QtEndian>

namespace {

// True while the program plays into the sound server (beside the server's silent client).
bool streamRuns() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    return pactl.waitForFinished(5000) &&
           pactl.readAllStandardOutput().contains("application.name = \"Beatloft\"");
}

constexpr std::uint32_t kSidestick = 0x7F2599;  // note on, channel 10, note 37, velocity 127

// The loudest sample heard at the sink's monitor for the given time, 16-bit mono.
int loudestAtSink(QProcess& parec, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    QByteArray sound;
    while (clock.elapsed() < milliseconds) {
        parec.waitForReadyRead(50);
        sound += parec.readAllStandardOutput();
    }
    int loudest = 0;
    for (qsizetype i = 0; i + 1 < sound.size(); i += 2)
        loudest =
            std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(sound.constData() + i))));
    return loudest;
}

}  // namespace

// The program and its synthesizer engine against a real sound server.
class TstSoundServer : public QObject {
    Q_OBJECT

private slots:
    // In this process: the engine plays through a stream of its own, what it plays is
    // heard at the sink, and when the server goes away messages still take effect.
    void theEngineIsHeardThroughItsOwnStream() {
        using midi::detail::SynthEngine;
        using midi::detail::SynthEvent;
        SynthEngine& engine = SynthEngine::instance();
        {
            PrivateSoundServer server;
            if (!server.isRunning())
                QSKIP(qPrintable(QStringLiteral("no sound server: %1").arg(server.reason())));
            QProcess parec;
            parec.start(QStringLiteral("parec"),
                        {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                         QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")});
            QVERIFY(parec.waitForReadyRead(5000));
            QCOMPARE(engine.start(), midi::kNoError);
            QCOMPARE(engine.audioDriver(), QStringLiteral("pulseaudio"));
            QVERIFY2(loudestAtSink(parec, 200) < 100, "silence before the note");
            engine.send(SynthEngine::Clock::now(), SynthEvent::shortMessage(kSidestick));
            QVERIFY(loudestAtSink(parec, 300) > 3000);
            engine.send(SynthEngine::Clock::now(), SynthEvent::silence());
            QTRY_COMPARE(engine.soundingVoices(), 0);
            // A note sent ahead waits for its time, even where the stream would place it
            // already: taken back before it, it never sounds (a busy machine tries again).
            for (bool takenBack = false; !takenBack;) {
                const auto due = SynthEngine::Clock::now() + std::chrono::milliseconds(4);
                engine.send(due, SynthEvent::shortMessage(kSidestick));
                QTest::qSleep(1);  // the stream's next requests come meanwhile
                takenBack = SynthEngine::Clock::now() < due - std::chrono::milliseconds(1);
                engine.withdraw(takenBack ? SynthEngine::Clock::now() : due);
            }
            QTest::qWait(100);
            QCOMPARE(engine.soundingVoices(), 0);
            parec.kill();
            parec.waitForFinished();
        }
        QTRY_COMPARE(engine.soundingVoices(), 0);
        engine.send(SynthEngine::Clock::now(), SynthEvent::shortMessage(kSidestick));
        QTRY_VERIFY(engine.soundingVoices() > 0);
        engine.send(SynthEngine::Clock::now(), SynthEvent::silence());
    }

    void quitsPromptlyWithAStreamRunning() {
        PrivateSoundServer server;
        if (!server.isRunning())
            QSKIP(qPrintable(QStringLiteral("no sound server: %1").arg(server.reason())));
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BEATLOFT_MIDI_BACKENDS"), QStringLiteral("synth"));
        program.setProcessEnvironment(env);
        const QString pattern = QFileInfo(QStringLiteral(BEATLOFT_BIN)).dir().filePath("Std.drm");
        program.start(QStringLiteral(BEATLOFT_BIN), {QStringLiteral("--play"), pattern});
        QVERIFY(program.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(streamRuns(), 10000);
        QElapsedTimer clock;
        clock.start();
        program.terminate();  // as Ctrl+C: playback stops and the program ends
        QVERIFY(program.waitForFinished(5000));
        QVERIFY2(clock.elapsed() <= 500, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(TstSoundServer)
#include "tst_soundserver.moc"
