#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "pattern/patterncommands.h"
#include "shared/songgrid.h"
#include "shell/maincommands.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <csignal>

#include <sys/resource.h>

using Kind = ScriptedDialogs::Kind;

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
QByteArray zeros(int count) {
    return QByteArray(count, '\0');
}

// The notes of the shipped instrument list in rows 1..18, as a record stores them.
const QByteArray kNotes = hex("0000 2400 2600 2500 2700 2A00 2C00 2E00 3200 3000 2D00 2B00 2900"
                              "3100 3900 3300 3500 3700 3800") +
                          zeros(24);
// Cells with one level at position step x 31 + row.
QByteArray cells(int position, char level, int position2 = 0, char level2 = 0) {
    QByteArray block = zeros(961);
    block[position] = level;
    block[position2] = level2 ? level2 : block[position2];
    return block;
}
// "Rock": 100 BPM, 4 x 4, bass drum strong on step 1, closed hi-hat light on step 3, loops 2.
const QByteArray kRock =
    hex("0400 526F636B 6400 0400 0400") + kNotes + cells(32, 3, 98, 1) + hex("0200") + zeros(8);
// "Füll€" in the Windows code page: 90 BPM, 3 steps per beat, snare normal on step 2; its
// loop count is the one the scratch record still holds.
const QByteArray kFill =
    hex("0500 46FC6C6C80 5A00 0300 0400") + kNotes + cells(64, 2) + hex("0200") + zeros(8);
const QByteArray kEmptyRecord = zeros(1041);
const QByteArray kHeader = "Beatloft Version 1.0.28       ";
const QByteArray kSong = kHeader + hex("0300") + kRock + kFill + kEmptyRecord;

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList column(Form1& form, int col) {
    QStringList texts;
    for (int r = 1; r < form.MSFlexGrid1->rows(); ++r)
        texts << form.MSFlexGrid1->textMatrix(r, col);
    return texts;
}

// The song list A, B, C, D and the empty last row.
void makeSong(FormFixture& f) {
    for (const char* name : {"A", "B", "C", "D"}) {
        f.form().txtPatNam->setText(name);
        f.form().MSFlexGrid1->setRow(f.form().MSFlexGrid1->rows() - 1);
        f.form().cmdAddPatt->click();
    }
}

}  // namespace

// The song file through the window: saving, loading, and what a failure leaves behind.
class TstSongFile : public QObject {
    Q_OBJECT

private slots:
    void savedBytesAndLoadBack() {
        FormFixture f;
        Form1& form = f.form();
        form.txtPatNam->setText("Rock");
        f.setRow(1, {3});
        f.setRow(5, {0, 0, 1});
        form.PatternStore[0].Loops = 2;
        form.cmdAddPatt->click();
        f.app().commands().ClearPattern();
        form.txtSubdivs->setText("3");
        form.txtBPM->setText("90");
        form.txtPatNam->setText(QString::fromUtf8("Füll€"));
        f.setRow(2, {0, 2});
        form.MSFlexGrid1->setRow(2);
        form.cmdAddPatt->click();
        const QString path = QDir(form.DataPath).filePath("song.dsg");
        f.dialogs().answerSaveFile(path);
        form.MnuSaveSong->trigger();
        const auto request = f.dialogs().shown().constFirst().file;
        QCOMPARE(request.title, "Song speichern");
        QCOMPARE(request.fileName, form.DataPath + "/SongNam.dsg");
        QCOMPARE(request.defaultExt, ".dsg");
        QCOMPARE(request.filter, "Drum-Song (.dsg)|*.dsg|Alle Dateien|*.*");
        QCOMPARE(readAll(path), kSong);

        FormFixture g;
        g.dialogs().answerOpenFile(path);
        g.form().MnuLoadSong->trigger();
        QCOMPARE(g.dialogs().shown().constFirst().file.title, "Song laden");
        QCOMPARE(g.dialogs().shown().constFirst().file.fileName, g.form().DataPath + "/*.dsg");
        QCOMPARE(g.dialogs().shown().size(), 1);
        QCOMPARE(column(g.form(), 0), (QStringList{"Rock", QString::fromUtf8("Füll€"), ""}));
        QCOMPARE(column(g.form(), 1), (QStringList{"2", "2", "0"}));
        QCOMPARE(column(g.form(), 2), (QStringList{"100", "90", "0"}));
        for (int r = 1; r <= 3; ++r) QVERIFY(g.form().PatternStore[r] == form.PatternStore[r]);
        QCOMPARE(g.form().SongHeader, QString::fromLatin1(kHeader));
    }

    void headerLongerThan30IsCut() {
        FormFixture f;
        sys::Dialogs::setApplicationTitle("Beatloft Drum-Pattern-Editor");
        const QString path = QDir(f.form().DataPath).filePath("long.dsg");
        f.dialogs().answerSaveFile(path);
        f.app().mainCommands().Toolbar1_ButtonClick("SpeichernSong");
        sys::Dialogs::setApplicationTitle("Beatloft");
        QCOMPARE(readAll(path), "Beatloft Drum-Pattern-Editor V" + hex("0100") + kEmptyRecord);
    }

    // The list before each load: A, B, C, D and the empty row.
    void loads_data() {
        QTest::addColumn<QString>("file");  // bytes to load, or MISSING, FOLDER, CANCEL
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("records");  // names of records 1..4 afterwards
        const QStringList before{"A", "B", "C", "D", ""};
        const auto bytes = [](const QByteArray& b) { return QString::fromLatin1(b.toHex()); };
        const QByteArray song = kHeader + hex("0100") + kRock;
        QTest::newRow("cancelled") << "CANCEL"
                                   << "" << before << "A,B,C,D";
        QTest::newRow("missing") << "MISSING"
                                 << "53Datei nicht gefunden" << before << "A,B,C,D";
        QTest::newRow("folder") << "FOLDER"
                                << "75Fehler beim Zugriff auf Pfad/Datei" << before << "A,B,C,D";
        QTest::newRow("one row") << bytes(song) << "" << QStringList{"Rock"} << "Rock,B,C,D";
        QTest::newRow("count 0") << bytes(kHeader + zeros(2)) << "" << QStringList{} << "A,B,C,D";
        QTest::newRow("header of 30 blanks-free bytes")
            << bytes(QByteArray(30, 'x') + hex("0100") + kRock) << "" << QStringList{"Rock"}
            << "Rock,B,C,D";
        QTest::newRow("ends inside the header")
            << bytes(kHeader.left(12)) << "62Einlesen hinter Dateiende" << before << "A,B,C,D";
        QTest::newRow("ends inside record 2")
            << bytes(kSong.left(1100)) << "62Einlesen hinter Dateiende"
            << QStringList{"Rock", "", "C"} << "Rock,,C,D";
        QTest::newRow("31 rows") << bytes(kHeader + hex("1F00") + kRock.repeated(31))
                                 << QString::fromUtf8("9Index außerhalb des gültigen Bereichs")
                                 << QStringList(30, "Rock") << "Rock,Rock,Rock,Rock";
        QTest::newRow("variant of another type")
            << bytes(song.chopped(2) + hex("0900")) << QString::fromUtf8("13Typen unverträglich")
            << QStringList{""} << ",B,C,D";
    }
    void loads() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(QStringList, list);
        QFETCH(QString, records);
        FormFixture f;
        Form1& form = f.form();
        makeSong(f);
        form.txtSongNam->setText("Mein Song");
        form.MSFlexGrid1->setRow(2);
        form.cmdCopy->click();
        form.txtPatNam->setText("Auf dem Schirm");
        f.setRow(3, {1, 2, 3});
        QString path = QDir(form.DataPath).filePath("in.dsg");
        if (file == "FOLDER") path = form.DataPath;
        if (file == "CANCEL") path.clear();
        if (file != "MISSING" && file != "FOLDER" && file != "CANCEL")
            writeAll(path, QByteArray::fromHex(file.toLatin1()));
        f.dialogs().answerOpenFile(path);
        if (!message.isEmpty()) f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.app().mainCommands().Toolbar1_ButtonClick("SongLaden");
        QCOMPARE(f.dialogs().messageTexts(),
                 message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(column(form, 0), list);
        QStringList names;
        for (int r = 1; r <= 4; ++r) names << form.PatternStore[r].Name;
        QCOMPARE(names.join(','), records);
        QCOMPARE(form.txtSongNam->text(), "Mein Song");
        QCOMPARE(form.txtPatNam->text(), "Auf dem Schirm");
        QCOMPARE(f.row(3).mid(0, 3), (QList<int>{1, 2, 3}));
        QCOMPARE(form.PatternClipboard.Name, "B");
        QCOMPARE(form.txtPatClipboard->text(), "B");
    }

    void songOnTheCommandLine() {
        {
            FormFixture f({}, false);
            const QString path = f.folder().filePath("a b.dsg");
            writeAll(path, kSong);
            f.start('"' + path + '"');
            QCOMPARE(column(f.form(), 0), (QStringList{"Rock", QString::fromUtf8("Füll€"), ""}));
            QVERIFY(f.form().PendingFile.isEmpty());
        }
        FormFixture f({}, false);
        writeAll(f.folder().filePath("bad.dsg"), kHeader);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.start('"' + f.folder().filePath("bad.dsg") + '"');
        QCOMPARE(f.dialogs().messageTexts(), QStringList{"62Einlesen hinter Dateiende"});
    }

    // A save that does not happen keeps the file that was there.
    void failedSaves_data() {
        QTest::addColumn<QString>("target");  // OLD: a song saved before, FOLDER, CANCEL
        QTest::addColumn<int>("fileSizeLimit");
        QTest::newRow("cancelled") << "CANCEL" << 0;
        QTest::newRow("folder") << "FOLDER" << 0;
        QTest::newRow("disk full") << "OLD" << 2000;
    }
    void failedSaves() {
        QFETCH(QString, target);
        QFETCH(int, fileSizeLimit);
        FormFixture f;
        makeSong(f);
        const QString old = QDir(f.form().DataPath).filePath("SongNam.dsg");
        writeAll(old, "the old song");
        const QString path = target == "OLD" ? old : target == "FOLDER" ? f.form().DataPath : "";
        f.dialogs().answerSaveFile(path);
        if (!path.isEmpty()) f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{rlim_t(fileSizeLimit), saved.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        if (fileSizeLimit > 0) setrlimit(RLIMIT_FSIZE, &limit);
        f.form().MnuSaveSong->trigger();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        QCOMPARE(readAll(old), "the old song");
        QCOMPARE(QDir(f.form().DataPath).entryList(QDir::Files), QStringList{"SongNam.dsg"});
        if (path.isEmpty()) {
            QCOMPARE(f.dialogs().shown().size(), 1);
            return;
        }
        const auto& shown = f.dialogs().shown().constLast();
        QCOMPARE(shown.text, "Der Song konnte nicht gespeichert werden:\n" + path);
        QCOMPARE(shown.icon, sys::MessageIcon::Critical);
        QCOMPARE(shown.title, "Beatloft");
    }
};

QTEST_MAIN(TstSongFile)
#include "tst_songfile.moc"
