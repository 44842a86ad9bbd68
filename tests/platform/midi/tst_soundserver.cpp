#include "privatesoundserver.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

// True while the program plays into the sound server (beside the server's silent client).
bool streamRuns() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    return pactl.waitForFinished(5000) &&
           pactl.readAllStandardOutput().contains("application.name = \"Beatloft\"");
}

}  // namespace

// The built program against a real sound server.
class TstSoundServer : public QObject {
    Q_OBJECT

private slots:
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
