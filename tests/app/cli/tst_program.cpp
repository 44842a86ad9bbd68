#include <QProcess>
#include <QTest>

#include <csignal>

// The program as a user starts it: version, help and wrong options without a display, and
// a start offscreen.
class TstProgram : public QObject {
    Q_OBJECT

    static QProcessEnvironment headless() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.remove("BEATLOFT_MIDI_BACKENDS");  // the program as installed: the built-in synthesizer
        return env;
    }

private slots:
    void answersWithoutDisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");  // the start of stdout, or of stderr on failure
        QTest::addColumn<QString>("lang");
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Beatloft 1.0.28\n"
                                 << "C";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Aufruf: beatloft"
                              << "C";
        QTest::newRow("-V") << QStringList{"-V"} << 0 << "Beatloft 1.0.28\n"
                            << "C";
        QTest::newRow("-h") << QStringList{"-h"} << 0 << "Aufruf: beatloft"
                            << "C";
        QTest::newRow("editor") << QStringList{} << 1 << "beatloft: keine Anzeige gefunden\n"
                                << "C";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2
                                        << "beatloft: unbekannte Option: --bogus\nAufruf: beatloft"
                                        << "C";
        QTest::newRow("English help") << QStringList{"-h"} << 0 << "Usage: beatloft"
                                      << "en_US.UTF-8";
        QTest::newRow("English, no display") << QStringList{} << 1 << "beatloft: no display found\n"
                                             << "en_GB.UTF-8";
    }
    void answersWithoutDisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QFETCH(QString, lang);
        QProcess program;
        QProcessEnvironment env = headless();
        env.remove("LC_ALL"), env.remove("LC_MESSAGES"), env.insert("LANG", lang);
        program.setProcessEnvironment(env);
        program.start(BEATLOFT_BIN, arguments);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), exitCode);
        const QByteArray out =
            exitCode == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
        QVERIFY2(QString::fromUtf8(out).startsWith(expected), out.constData());
    }

    void startsOffscreenQuietlyAndEndsCleanly() {
        QProcess program;
        QProcessEnvironment env = headless();
        env.insert("QT_QPA_PLATFORM", "offscreen");  // a platform chosen, as in tests
        program.setProcessEnvironment(env);
        program.start(BEATLOFT_BIN, {});
        QVERIFY(program.waitForStarted());
        QTest::qWait(1500);
        QCOMPARE(program.state(), QProcess::Running);
        ::kill(program.processId(), SIGTERM);  // closes the window, as the window manager would
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()), QString());
    }
};

QTEST_MAIN(TstProgram)
#include "tst_program.moc"
