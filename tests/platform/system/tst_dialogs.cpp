#include "scripteddialogs.h"
#include "system/consoledialogs.h"
#include "system/qtdialogs.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

class TstDialogs : public QObject {
    Q_OBJECT

private slots:
    void unansweredDialogFailsTheTestAtOnce() {
        QProcess probe;
        QElapsedTimer clock;
        clock.start();
        probe.start(QStringLiteral(PROBE_PATH), {});
        QVERIFY(probe.waitForFinished(20000));
        QVERIFY2(clock.elapsed() < 20000, "a modal dialog blocked the probe");
        const QString out = QString::fromUtf8(probe.readAllStandardOutput());
        QVERIFY(probe.exitCode() != 0);
        QVERIFY2(out.contains(QStringLiteral("FAIL!")) && out.contains("unanswered dialog"),
                 qPrintable(out));
        QVERIFY(out.contains(QStringLiteral("Niemand antwortet")));
    }

    void answeredDialogsAreRecorded() {
        ScriptedDialogs dialogs;
        dialogs.answerMessage(sys::MessageAnswer::No);
        dialogs.answerInput(QStringLiteral("Groove"));
        dialogs.answerSaveFile(QStringLiteral("/tmp/x.drm"));
        dialogs.answerOpenFile(QString());

        auto& d = sys::Dialogs::current();
        QCOMPARE(d.message(QStringLiteral("Spuren ersetzen?"), sys::MessageButtons::YesNo,
                           sys::MessageIcon::Question),
                 sys::MessageAnswer::No);
        QCOMPARE(d.input(QStringLiteral("Name?"), QStringLiteral("Pattern Name"),
                         QStringLiteral("PatNam")),
                 QStringLiteral("Groove"));
        QCOMPARE(d.saveFile({QStringLiteral("Pattern speichern"), QStringLiteral("a.drm"),
                             QStringLiteral(".drm"), QStringLiteral("Pattern (.drm)|*.drm")}),
                 QStringLiteral("/tmp/x.drm"));
        QCOMPARE(d.openFile({QStringLiteral("Pattern laden"), {}, {}, {}}), QString());

        QCOMPARE(dialogs.shown().size(), 4);
        const auto& box = dialogs.shown()[0];
        QCOMPARE(box.text, QStringLiteral("Spuren ersetzen?"));
        QCOMPARE(box.title, QStringLiteral("Beatloft"));  // no title given: application title
        QCOMPARE(box.buttons, sys::MessageButtons::YesNo);
        QCOMPARE(box.icon, sys::MessageIcon::Question);
        QCOMPARE(dialogs.shown()[1].title, QStringLiteral("Pattern Name"));
        QCOMPARE(dialogs.shown()[1].defaultText, QStringLiteral("PatNam"));
        QCOMPARE(dialogs.shown()[2].file.defaultExt, QStringLiteral(".drm"));
        QCOMPARE(dialogs.unusedAnswers(), 0);
    }

    void explicitTitleIsKept() {
        ScriptedDialogs dialogs;
        dialogs.answerMessage(sys::MessageAnswer::Ok);
        sys::Dialogs::current().message(QStringLiteral("x"), sys::MessageButtons::Ok,
                                        sys::MessageIcon::Exclamation, QStringLiteral("Titel"));
        QCOMPARE(dialogs.shown()[0].title, QStringLiteral("Titel"));
    }

    void qtFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pattern") << "Pattern (.drm)|*.drm|Alle Dateien|*.*"
                                 << "Pattern (.drm) (*.drm);;Alle Dateien (*.*)";
        QTest::newRow("several patterns") << "Midi|*.mid;*.midi"
                                          << "Midi (*.mid *.midi)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void qtFilter() {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(sys::QtDialogs::qtFilter(filter), expected);
    }

    void consoleDialogsPrintAndAnswerAtOnce() {
        FILE* stream = std::tmpfile();
        sys::ConsoleDialogs console(stream);
        sys::Dialogs::install(&console);
        const auto answer = sys::Dialogs::current().message(QStringLiteral("Datei fehlt"),
                                                            sys::MessageButtons::YesNo);
        sys::Dialogs::install(nullptr);
        QCOMPARE(answer, sys::MessageAnswer::Yes);
        std::rewind(stream);
        char line[256] = {};
        QVERIFY(std::fgets(line, sizeof line, stream));
        QCOMPARE(QString::fromUtf8(line), QStringLiteral("Beatloft: Datei fehlt\n"));
        std::fclose(stream);
    }
};

QTEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
