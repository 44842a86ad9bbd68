#include "shell/commandline.h"

#include <QTest>

using Command = CommandLine::Command;

// The command line as the program reads it: one row per way of writing it.
class TstCommandLine : public QObject {
    Q_OBJECT

private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Command>("command");
        QTest::addColumn<QStringList>("operands");
        QTest::addColumn<QString>("setting");  // "--name=value" of one setting, if any
        QTest::addColumn<QString>("error");
        const QStringList none;
        QTest::newRow("editor") << none << Command::Editor << none << ""
                                << "";
        QTest::newRow("document") << QStringList{"a b.drm"} << Command::Editor
                                  << QStringList{"a b.drm"} << ""
                                  << "";
        QTest::newRow("-h") << QStringList{"-h"} << Command::Help << none << ""
                            << "";
        QTest::newRow("-V") << QStringList{"-V"} << Command::Version << none << ""
                            << "";
        QTest::newRow("list") << QStringList{"--list-midi"} << Command::ListMidi << none << ""
                              << "";
        QTest::newRow("render with loops")
            << QStringList{"--render-wav", "in.drm", "out.wav", "--loops", "3"}
            << Command::RenderWav << QStringList{"in.drm", "out.wav"} << "--loops=3"
            << "";
        QTest::newRow("loops before the command")
            << QStringList{"--loops", "10000", "--render-wav", "in.drm", "-"} << Command::RenderWav
            << QStringList{"in.drm", "-"} << "--loops=10000"
            << "";
        QTest::newRow("play for a day")
            << QStringList{"--play", "p.drm", "--seconds", "86400"} << Command::Play
            << QStringList{"p.drm"} << "--seconds=86400"
            << "";
        QTest::newRow("unknown long") << QStringList{"--bogus"} << Command::Help << none << ""
                                      << "unbekannte Option: --bogus";
        QTest::newRow("unknown short") << QStringList{"x.drm", "-x"} << Command::Help << none << ""
                                       << "unbekannte Option: -x";
        QTest::newRow("render without output")
            << QStringList{"--render-wav", "in.drm"} << Command::Help << none << ""
            << "fehlender Wert für --render-wav";
        QTest::newRow("an option is no value")
            << QStringList{"--render-wav", "in.drm", "--loops", "2", "out.wav"} << Command::Help
            << none << ""
            << "fehlender Wert für --render-wav";
        QTest::newRow("seconds without value")
            << QStringList{"--play", "p.drm", "--seconds"} << Command::Help << none << ""
            << "fehlender Wert für --seconds";
        const QString badSeconds = "--seconds erwartet eine Zahl größer als 0 bis 86400 (ein Tag)";
        for (const char* seconds : {"nan", "inf", "1e9", "86401", "0", "-1", "zwei"})
            QTest::addRow("seconds %s", seconds)
                << QStringList{"--play", "p.drm", "--seconds", seconds} << Command::Help << none
                << "" << badSeconds;
        QTest::newRow("loops 0") << QStringList{"--render-wav", "i", "o", "--loops", "0"}
                                 << Command::Help << none << ""
                                 << "--loops erwartet eine Zahl von 1 bis 10000";
        QTest::newRow("loops twice")
            << QStringList{"--render-wav", "i", "o", "--loops", "2", "--loops", "3"}
            << Command::Help << none << ""
            << "mehrfach angegeben: --loops";
        QTest::newRow("loops without its command")
            << QStringList{"--play", "p.drm", "--loops", "2"} << Command::Help << none << ""
            << "--loops gilt nur mit --render-wav";
        QTest::newRow("two commands")
            << QStringList{"--play", "p.drm", "--version"} << Command::Help << none << ""
            << "--play und --version schließen sich aus";
        QTest::newRow("argument after a command")
            << QStringList{"--play", "p.drm", "q.drm"} << Command::Help << none << ""
            << "überzähliges Argument: q.drm";
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(Command, command);
        QFETCH(QStringList, operands);
        QFETCH(QString, setting);
        QFETCH(QString, error);
        const CommandLine line = CommandLine::parse(arguments);
        QCOMPARE(line.error(), error);
        QCOMPARE(line.isValid(), error.isEmpty());
        QCOMPARE(line.command(), command);
        QCOMPARE(line.operands(), operands);
        if (!setting.isEmpty())
            QCOMPARE(line.value(setting.section('=', 0, 0)), setting.section('=', 1));
        QCOMPARE(line.value("--loops", "1"),
                 setting.startsWith("--loops") ? setting.section('=', 1) : QStringLiteral("1"));
    }

    void usageNamesEveryOption() {
        const QString usage = CommandLine::usage();
        for (const char* option : {"--list-midi", "--render-wav", "--loops", "--play", "--seconds",
                                   "-V, --version", "-h, --help"})
            QVERIFY2(usage.contains(QLatin1String(option)), option);
    }
};

QTEST_MAIN(TstCommandLine)
#include "tst_commandline.moc"
