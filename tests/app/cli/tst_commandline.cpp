#include "cli/commandline.h"

#include <QTest>

// The command line as the program reads it: one row per way of writing it.
class TstCommandLine : public QObject {
    Q_OBJECT

    // The command's number, its operands and the two settings; or the error.
    static QString reading(const CommandLine& line) {
        if (!line.isValid()) return line.error();
        return QStringLiteral("%1 %2 %3 %4")
            .arg(int(line.command()))
            .arg(line.operands().join('|'), line.value("--loops", "-"),
                 line.value("--seconds", "-"));
    }

private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QStringList& arguments,
                            const QString& expected) {
            QTest::newRow(name) << arguments << expected;
        };
        row("editor", {}, "0  - -");
        row("document", {"a b.drm"}, "0 a b.drm - -");
        row("-h", {"-h"}, "1  - -");
        row("-V", {"-V"}, "2  - -");
        row("list", {"--list-midi"}, "3  - -");
        row("render", {"--loops", "10000", "--render-wav", "in.drm", "-"}, "4 in.drm|- 10000 -");
        row("play for a day", {"--play", "p.drm", "--seconds", "86400"}, "5 p.drm - 86400");
        row("unknown long", {"--bogus"}, "unbekannte Option: --bogus");
        row("unknown short", {"x.drm", "-x"}, "unbekannte Option: -x");
        row("render without output", {"--render-wav", "in.drm"}, "fehlender Wert für --render-wav");
        row("an option is no value", {"--render-wav", "i", "--loops", "2", "o"},
            "fehlender Wert für --render-wav");
        row("seconds without value", {"--play", "p", "--seconds"}, "fehlender Wert für --seconds");
        for (const char* seconds : {"nan", "inf", "1e9", "86401", "0", "-1", "zwei"})
            row(seconds, {"--play", "p.drm", "--seconds", seconds},
                "--seconds erwartet eine Zahl größer als 0 bis 86400 (ein Tag)");
        row("loops 0", {"--render-wav", "i", "o", "--loops", "0"},
            "--loops erwartet eine Zahl von 1 bis 10000");
        row("loops twice", {"--render-wav", "i", "o", "--loops", "2", "--loops", "3"},
            "mehrfach angegeben: --loops");
        row("loops with play", {"--play", "p", "--loops", "2"},
            "--loops gilt nur mit --render-wav");
        row("two commands", {"--play", "p", "-V"}, "--play und --version schließen sich aus");
        row("argument after a command", {"--play", "p", "q"}, "überzähliges Argument: q");
    }
    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        QCOMPARE(reading(CommandLine::parse(arguments)), expected);
    }

    // A name the system's encoding cannot carry is refused by name, not looked for.
    void undecodableName_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("UTF-8") << QByteArray("Gr\xc3\xbc\xc3\x9f.drm") << "4 Grüß.drm|o.wav - -";
        QTest::newRow("Latin-1") << QByteArray("Gr\xfc\xdf.drm")
                                 << "Dateiname nicht in der Zeichenkodierung des Systems: "
                                    "Gr\uFFFD\uFFFD.drm";
    }
    void undecodableName() {
        QFETCH(QByteArray, name);
        QFETCH(QString, expected);
        const QList<QByteArray> arguments{"--render-wav", name, "o.wav"};
        QCOMPARE(reading(CommandLine::parse(arguments)), expected);
    }
};

QTEST_MAIN(TstCommandLine)
#include "tst_commandline.moc"
