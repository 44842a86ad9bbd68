#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "pattern/patterncommands.h"
#include "pattern/patternfile.h"
#include "views/checkarray.h"
#include "views/taglabel.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// Saving, opening and mixing pattern files through the real window.
class TstPatternFile : public QObject {
    Q_OBJECT

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // A four-step pattern file for the rows given as "note:levels".
    static QByteArray fourStepFile(const QList<QPair<int, QString>>& rows) {
        QByteArray bytes = "\"Mix\"\r\nTaktzahl, 1, Taktnenner, 4, SubDivs, 4, BPM, 90\r\n";
        for (const auto& [note, levels] : rows) {
            bytes += "\"x\"," + QByteArray::number(note) + "\r\n";
            for (QChar level : levels) bytes += " " + QByteArray(1, char(level.toLatin1())) + " ,";
            bytes += "\r\n";
        }
        return bytes;
    }

private slots:
    void savesTheExactBytes() {
        FormFixture f;
        Form1& form = f.form();
        form.txtPatNam->setText("Groove");
        form.txtSpalt->setText("4");
        f.setRow(2, {2, 0, 0, 1});    // Snare, 38
        f.setRow(5, {0, 3, 0, 0});    // Hi-Hat geschlossen, 42
        form.txtBPM->setText("96 ");  // written as typed
        const QString path = f.folder().filePath("groove.drm");
        f.dialogs().answerSaveFile(path);
        f.app().patternFile().SavePatternFile();
        QCOMPARE(readAll(path), QByteArray("\"Groove\"\r\n"
                                           "Taktzahl, 4, Taktnenner, 4, SubDivs, 4, BPM, 96 \r\n"
                                           "\"Snare\",38\r\n"
                                           " 2 , 0 , 0 , 1 ,\r\n"
                                           "\"Hi-Hat geschlossen\",42\r\n"
                                           " 0 , 3 , 0 , 0 ,\r\n"));
        const auto& dialog = f.dialogs().shown().constFirst();
        QCOMPARE(dialog.kind, ScriptedDialogs::Kind::SaveFile);
        QCOMPARE(dialog.file.title, QStringLiteral("Pattern speichern"));
        QCOMPARE(dialog.file.fileName, form.DataPath + "/Groove.drm");
        QCOMPARE(dialog.file.defaultExt, QStringLiteral(".drm"));
        QCOMPARE(dialog.file.filter, QStringLiteral("Pattern (.drm)|*.drm|Alle Dateien|*.*"));
    }

    void roundTrip() {
        const QString path = QDir::temp().filePath("beatloft-roundtrip.drm");
        QList<QList<int>> levels;
        {
            FormFixture f;
            Form1& form = f.form();
            form.txtPatNam->setText("Shuffle");
            form.txtTakt->setText("3");
            form.txtTNen->setText("8");
            form.txtBPM->setText("132");
            for (int r = 1; r <= 18; r += 4) f.setRow(r, {3, 0, 1, 2, 0, 0, 3, 1, 2, 0, 0, 1});
            for (int r = 1; r <= 18; ++r) levels << f.row(r);
            f.dialogs().answerSaveFile(path);
            f.app().patternFile().SavePatternFile();
        }
        FormFixture f;
        Form1& form = f.form();
        f.setRow(2, {1, 1, 1});  // cleared by the open
        f.dialogs().answerOpenFile(path);
        f.app().commands().MnuOpen_Click();
        QCOMPARE(form.txtPatNam->text(), QStringLiteral("Shuffle"));
        QCOMPARE(form.txtTakt->text(), QStringLiteral("3"));
        QCOMPARE(form.txtTNen->text(), QStringLiteral("8"));
        QCOMPARE(form.txtBPM->text(), QStringLiteral("132"));
        QCOMPARE(form.txtSpalt->text(), QStringLiteral("12"));
        for (int r = 1; r <= 18; ++r) QCOMPARE(f.row(r), levels[r - 1]);
        QVERIFY(form.MixMode);
        QFile::remove(path);
    }

    // Ticks typed by hand do not decide how a file is read; the file's own step count does.
    void openingAfterTicksTypedByHand() {
        FormFixture f;
        const QList<int> kick{3, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 0, 0, 0, 0};
        const QList<int> snare{0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 1};
        QByteArray bytes = "\"Beat\"\r\nTaktzahl, 4, Taktnenner, 4, SubDivs, 4, BPM, 100\r\n";
        for (const auto& [line, levels] :
             {std::pair{"\"Bassdrum\",36\r\n", kick}, std::pair{"\"Snare\",38\r\n", snare}}) {
            bytes += line;
            for (int level : levels) bytes += " " + QByteArray::number(level) + " ,";
            bytes += "\r\n";
        }
        const QString path = f.folder().filePath("beat.drm");
        write(path, bytes);
        f.form().txtSpalt->selectAll();
        QTest::keyClicks(f.form().txtSpalt, "20");
        QCOMPARE(f.form().checkArrayCount() - 1, 20);
        f.dialogs().answerOpenFile(path);
        f.app().commands().MnuOpen_Click();
        QCOMPARE(f.form().txtSpalt->text(), QStringLiteral("16"));
        QCOMPARE(f.row(1), kick);
        QCOMPARE(f.row(2), snare);
        QVERIFY(f.dialogs().messageTexts().isEmpty());
    }

    void emptyPatternSavesTwoLinesAndOpensQuietly() {
        const QString path = QDir::temp().filePath("beatloft-empty.drm");
        {
            FormFixture f;
            f.form().txtPatNam->setText("Leer");
            f.dialogs().answerSaveFile(path);
            f.app().patternFile().SavePatternFile();
            QCOMPARE(readAll(path).count("\r\n"), 2);
        }
        FormFixture f;
        f.setRow(1, {3, 3});
        f.form().txtBPM->setText("70");
        f.form().PendingFile = path;
        f.form().MixMode = false;
        QVERIFY(f.app().patternFile().LoadPatternFile());
        QCOMPARE(f.form().txtPatNam->text(), QStringLiteral("Leer"));
        QCOMPARE(f.form().txtBPM->text(), QStringLiteral("100"));
        QCOMPARE(f.row(1).mid(0, 2), (QList<int>{3, 3}));  // opening by path clears nothing
        QVERIFY(f.dialogs().shown().isEmpty());
        QFile::remove(path);
    }

    void nameQuestionOnlyForTheDefaultName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("asked");
        QTest::newRow("default") << "PatNam" << true;
        QTest::newRow("other case") << "patnam" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("own name") << "Funk" << false;
    }
    void nameQuestionOnlyForTheDefaultName() {
        QFETCH(QString, name);
        QFETCH(bool, asked);
        FormFixture f;
        f.form().txtPatNam->setText(name);
        if (asked) f.dialogs().answerInput("Neu");
        f.dialogs().answerSaveFile(QString());  // cancelled
        f.app().patternFile().SavePatternFile();
        QCOMPARE(f.dialogs().shown().size(), asked ? 2 : 1);
        if (asked) {
            const auto& input = f.dialogs().shown().constFirst();
            QCOMPARE(input.text,
                     QStringLiteral("Geben Sie bitte einen Namen für das Pattern ein!"));
            QCOMPARE(input.title, QStringLiteral("Pattern Name"));
            QCOMPARE(input.defaultText, QStringLiteral("PatNam"));
            QCOMPARE(f.form().txtPatNam->text(), QStringLiteral("Neu"));
        }
        QVERIFY(QDir(f.form().DataPath).entryList(QDir::Files).isEmpty());  // cancel writes nothing
    }

    void doubleQuotesInNamesStayReadable() {
        FormFixture f;
        Form1& form = f.form();
        form.txtPatNam->setText("12\" Groove");
        f.setInstrumentName(1, "Kick \"tief\"");
        f.setRow(1, {3});
        const QString path = f.folder().filePath("quote.drm");
        f.dialogs().answerSaveFile(path);
        f.app().patternFile().SavePatternFile();
        QVERIFY(readAll(path).startsWith("\"12' Groove\"\r\n"));
        QVERIFY(readAll(path).contains("\"Kick 'tief'\",36\r\n"));
        QVERIFY(f.app().patternFile().openDocument(path));
        QCOMPARE(form.txtPatNam->text(), QStringLiteral("12' Groove"));
        QCOMPARE(f.row(1).value(0), 3);
    }

    void mixing_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("answer");  // MessageAnswer
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::addColumn<QString>("message");
        const QList<int> set{1, 2, 3, 1, 2, 3};
        const int yes = int(sys::MessageAnswer::Yes), no = int(sys::MessageAnswer::No);
        QTest::newRow("fewer steps than the grid, replace")
            << fourStepFile({{38, "3003"}}) << yes << 2 << set << QList<int>{3, 0, 0, 3, 2, 3}
            << "";
        QTest::newRow("answer No keeps cells under zeros")
            << fourStepFile({{38, "3003"}}) << no << 2 << set << QList<int>{3, 2, 3, 3, 2, 3} << "";
        QTest::newRow("duplicate notes: the later wins")
            << fourStepFile({{38, "1111"}, {38, "0220"}}) << yes << 2 << set
            << QList<int>{0, 2, 2, 0, 2, 3} << "";
        QTest::newRow("unmatched notes are counted")
            << fourStepFile({{99, "1111"}, {38, "2222"}, {100, "3333"}}) << yes << 2 << set
            << QList<int>{2, 2, 2, 2, 2, 3} << "2 Instrument(e) konnten nicht zugewiesen werden!";
        QTest::newRow("hostile levels are cut to the grid's levels")
            << fourStepFile({{38, "7x90"}}) << yes << 2 << set << QList<int>{3, 0, 3, 0, 2, 3}
            << "";
    }
    void mixing() {
        QFETCH(QByteArray, file);
        QFETCH(int, answer);
        QFETCH(int, row);
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        QFETCH(QString, message);
        FormFixture f;
        f.form().txtSpalt->setText("6");
        f.setRow(row, before);
        const QString path = f.folder().filePath("mix.drm");
        write(path, file);
        f.dialogs().answerOpenFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer(answer));
        if (!message.isEmpty()) f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.app().patternFile().LoadPatternFile();
        QCOMPARE(f.row(row), after);
        QCOMPARE(f.form().txtPatNam->text(), QStringLiteral("PatNam"));  // mixing keeps settings
        QCOMPARE(f.form().txtBPM->text(), QStringLiteral("100"));
        const QStringList texts = f.dialogs().messageTexts();
        QCOMPARE(texts.value(0), QStringLiteral("Spuren ersetzen?"));
        QCOMPARE(f.dialogs().shown()[1].buttons, sys::MessageButtons::YesNo);
        QCOMPARE(texts.value(1), message);
        QVERIFY(f.form().MixMode);
    }

    void moreStepsThanTheGridAreDropped() {
        FormFixture f;
        f.form().txtSpalt->setText("2");
        const QString path = f.folder().filePath("long.drm");
        write(path, fourStepFile({{36, "3333"}}));
        f.dialogs().answerOpenFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer::Yes);
        f.app().patternFile().LoadPatternFile();
        QCOMPARE(f.row(1), (QList<int>{3, 3}));
    }

    void twoRowsWithTheSameNoteTheUpperGetsIt() {
        FormFixture f;
        f.setInstrumentTag(7, "38.0");  // the same number written otherwise
        f.form().txtSpalt->setText("4");
        const QString path = f.folder().filePath("dup.drm");
        write(path, fourStepFile({{38, "1221"}}));
        f.dialogs().answerOpenFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer::Yes);
        f.app().patternFile().LoadPatternFile();
        QCOMPARE(f.row(2), (QList<int>{1, 2, 2, 1}));
        QCOMPARE(f.row(7), (QList<int>{0, 0, 0, 0}));
    }

    void hostileFilesFailQuietly_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("unassigned");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("name only") << QByteArray("\"x\"\r\n") << 0;
        QTest::newRow("truncated header") << QByteArray("\"x\"\r\nTaktzahl, 4, Takt") << 0;
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01\"\x80,,\x00", 10) << 0;
        QTest::newRow("ends within a cells line")
            << QByteArray(
                   "\"x\"\r\nTaktzahl, 1, Taktnenner, 4, SubDivs, 4, BPM, 90\r\n\"k\",36\r\n 3 ,")
            << 0;
        QTest::newRow("unmatched then truncated")
            << QByteArray(
                   "\"x\"\r\nTaktzahl, 1, Taktnenner, 4, SubDivs, 4, BPM, 90\r\n\"k\",300\r\n 3 ,")
            << 1;
        QTest::newRow("negative note") << fourStepFile({{-1, "1111"}}) << 1;
        QTest::newRow("enormous step count") << QByteArray(
                                                    "\"x\"\r\nTaktzahl, 1e9, Taktnenner, 4, "
                                                    "SubDivs, 1e9, BPM, 90\r\n\"k\",36\r\n 3 ,\r\n")
                                             << 0;
        QTest::newRow("a megabyte of name")
            << QByteArray("\"") + QByteArray(1 << 20, 'n') + QByteArray("\"\r\n") << 0;
    }
    void hostileFilesFailQuietly() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, unassigned);
        FormFixture f;
        const QString path = f.folder().filePath("bad.drm");
        write(path, bytes);
        f.dialogs().answerOpenFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer::Yes);
        if (unassigned) f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.app().patternFile().LoadPatternFile();
        QVERIFY(f.form().MixMode);
        QCOMPARE(f.form().checkArrayCount(), 17);  // mixing never reshapes the grid
        if (unassigned)
            QCOMPARE(f.dialogs().messageTexts().last(),
                     QStringLiteral("%1 Instrument(e) konnten nicht zugewiesen werden!")
                         .arg(unassigned));
    }

    void cancelledOpenLeavesMixModeTrue() {
        FormFixture f;
        f.setRow(1, {2});
        f.dialogs().answerOpenFile(QString());
        f.app().commands().MnuOpen_Click();
        QVERIFY(f.form().MixMode);
        QCOMPARE(f.row(1).value(0), 0);  // the open cleared before asking
        QCOMPARE(f.dialogs().shown()[0].file.title, QStringLiteral("Pattern laden"));
        QCOMPARE(f.dialogs().shown()[0].file.fileName, f.form().DataPath + "/*.drm");
    }

    void failedSaveKeepsTheOldFileAndSaysSo() {
        FormFixture f;
        const QString folder = f.folder().filePath("locked");
        QDir().mkpath(folder);
        const QString path = folder + "/keep.drm";
        write(path, "old contents");
        // A folder that cannot take the temporary file: as root, permissions do not stop
        // writing, so the save is pointed at a path whose folder is a file.
        const QString impossible = ::geteuid() == 0 ? path + "/inside.drm" : path;
        if (::geteuid() != 0) QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        f.form().txtPatNam->setText("Neu");
        f.dialogs().answerSaveFile(impossible);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.app().patternFile().SavePatternFile();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readAll(path), QByteArray("old contents"));
        const auto& box = f.dialogs().shown().last();
        QVERIFY(box.text.startsWith(QStringLiteral("Das Pattern konnte nicht gespeichert werden")));
        QCOMPARE(box.title, QStringLiteral("Beatloft"));
        QCOMPARE(box.icon, sys::MessageIcon::Critical);
    }

    void saveRefusesAFifo() {
        FormFixture f;
        const QString fifo = f.folder().filePath("pipe.drm");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo), 0600), 0);
        f.form().txtPatNam->setText("Neu");
        f.dialogs().answerSaveFile(fifo);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.app().patternFile().SavePatternFile();
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(fifo), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        QVERIFY(f.dialogs().shown().last().text.startsWith(
            QStringLiteral("Das Pattern konnte nicht gespeichert werden")));
    }

    void commandLinePatternOpensWithoutQuestions() {
        TempProgramFolder source;
        const QString path = source.filePath("Std.drm");
        FormFixture f("\"" + path + "\"");
        QVERIFY(f.dialogs().shown().isEmpty());
        QVERIFY(f.form().MixMode);
        QVERIFY(f.form().txtPatNam->text() != QStringLiteral("PatNam"));
        int set = 0;
        for (int r = 1; r <= 18; ++r)
            for (int level : f.row(r)) set += level ? 1 : 0;
        QVERIFY(set > 0);
    }
};

QTEST_MAIN(TstPatternFile)
#include "tst_patternfile.moc"
