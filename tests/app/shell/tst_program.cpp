#include <QProcess>
#include <QTest>

#include <csignal>

// The program as a user starts it: version, help, a start without a display and a wrong
// command line.
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
    void printsVersionAndHelpWithoutDisplay_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version") << "--version"
                                 << "Beatloft 1.0.28\n";
        QTest::newRow("help") << "--help"
                              << "Aufruf: beatloft";
        QTest::newRow("-V") << "-V"
                            << "Beatloft 1.0.28\n";
        QTest::newRow("-h") << "-h"
                            << "Aufruf: beatloft";
    }
    void printsVersionAndHelpWithoutDisplay() {
        QFETCH(QString, argument);
        QFETCH(QString, expected);
        QProcess program;
        program.setProcessEnvironment(headless());
        program.start(BEATLOFT_BIN, {argument});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QString::fromUtf8(program.readAllStandardOutput()).startsWith(expected));
    }

    void refusesWhatItCannotDo_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");  // the start of stderr
        const QString usage = "\nAufruf: beatloft";
        QTest::newRow("editor without a display")
            << QStringList{} << 1 << "beatloft: keine Anzeige gefunden\n";
        QTest::newRow("document without a display")
            << QStringList{"x.drm"} << 1 << "beatloft: keine Anzeige gefunden\n";
        QTest::newRow("unknown option")
            << QStringList{"--bogus"} << 2 << "beatloft: unbekannte Option: --bogus" + usage;
        QTest::newRow("unknown short option")
            << QStringList{"-x"} << 2 << "beatloft: unbekannte Option: -x" + usage;
    }
    void refusesWhatItCannotDo() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QProcess program;
        program.setProcessEnvironment(headless());
        program.start(BEATLOFT_BIN, arguments);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), exitCode);
        QVERIFY2(program.readAllStandardError().startsWith(expected.toUtf8()),
                 qPrintable(expected));
    }

    void startsOffscreenQuietlyAndEndsCleanly() {
        QProcess program;
        QProcessEnvironment env = headless();
        env.insert("QT_QPA_PLATFORM", "offscreen");
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
