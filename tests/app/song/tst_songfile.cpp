#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "shared/windowscodepage.h"
#include "shell/maincommands.h"
#include "song/song.h"
#include "song/songlist.h"
#include "views/mainmenubar.h"
#include "views/songgrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <csignal>

#include <sys/resource.h>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
QByteArray zeros(int count) {
    return QByteArray(count, '\0');
}

// A record of 4 x 4 steps with the notes of the shipped instrument list and one level.
QByteArray record(const char* nameAndTempo, int cellPosition, char level, const char* loops) {
    QByteArray cells = zeros(961);
    cells[cellPosition] = level;
    return hex(nameAndTempo) +
           hex("0400 0400 0000 2400 2600 2500 2700 2A00 2C00 2E00 3200 3000"
               "2D00 2B00 2900 3100 3900 3300 3500 3700 3800") +
           zeros(24) + cells + hex(loops) + zeros(8);
}
// "Füll€" (Windows code page) at 90 BPM, snare on step 2; "A" at 100, bass drum on step 3.
const QByteArray kFill = record("0500 46FC6C6C80 5A00", 2 * 31 + 2, 2, "0200");
const QByteArray kA = record("0100 41 6400", 3 * 31 + 1, 3, "0200");
const QByteArray kHeader = "Beatloft Version 1.0.28       ";
const QByteArray kSong = kHeader + hex("0300") + kFill + kA + zeros(1041);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

// Adds the pattern on screen under each name at the end of the song list.
void addPatterns(FormFixture& f, const QStringList& names) {
    for (const QString& name : names) {
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
    void savedBytesLoadBackFromTheCommandLine() {
        FormFixture f;
        f.editSong([](Song& song) { song.store[0].Loops = 2; });
        f.form().txtBPM->setText("90");
        f.setRow(2, {0, 2});
        addPatterns(f, {QString::fromUtf8("Füll€")});
        f.form().txtBPM->setText("100");
        f.setRow(2, {0, 0});
        f.setRow(1, {0, 0, 3});
        addPatterns(f, {"A"});
        const QString path = QDir(f.form().DataPath).filePath("mein song.dsg");
        f.dialogs().answerSaveFile(path);
        f.form().Menus->MnuSaveSong->trigger();
        const auto request = f.dialogs().shown().constFirst().file;
        QCOMPARE(request.title + request.fileName + request.defaultExt + request.filter,
                 "Song speichern" + f.form().DataPath +
                     "/SongNam.dsg.dsgDrum-Song (.dsg)|*.dsg|Alle Dateien|*.*");
        QCOMPARE(readAll(path), kSong);
        FormFixture g('"' + path + '"');
        QCOMPARE(column(g.form(), 0), (QStringList{QString::fromUtf8("Füll€"), "A", ""}));
        QCOMPARE(column(g.form(), 1) + column(g.form(), 2),
                 (QStringList{"2", "2", "0", "90", "100", "0"}));
        for (int r = 1; r <= 3; ++r) QVERIFY(g.song().store[r] == f.song().store[r]);
    }

    // The list before each load: A, B, C, D and the empty row; the clipboard holds B.
    void loads_data() {
        QTest::addColumn<QString>("file");  // hex of the bytes, or MISSING, FOLDER, CANCEL
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("records");  // names of records 1..4 afterwards
        const QStringList before{"A", "B", "C", "D", ""};
        const auto bytes = [](const QByteArray& b) { return QString::fromLatin1(b.toHex()); };
        const QString tooShort = "62Einlesen hinter Dateiende", kept = "A,B,C,D";
        QTest::newRow("cancelled") << "CANCEL"
                                   << "" << before << kept;
        QTest::newRow("missing") << "MISSING"
                                 << "53Datei nicht gefunden" << before << kept;
        QTest::newRow("folder") << "FOLDER"
                                << "75Fehler beim Zugriff auf Pfad/Datei" << before << kept;
        QTest::newRow("one row, a header without blanks")
            << bytes(QByteArray(30, 'x') + hex("0100") + kA) << "" << QStringList{"A"} << "A,B,C,D";
        QTest::newRow("count 0") << bytes(kHeader + zeros(2)) << "" << QStringList{} << kept;
        QTest::newRow("ends in the header")
            << bytes(kHeader.left(12)) << tooShort << before << kept;
        // A damaged file changes nothing: the whole file is read before the song is touched.
        QTest::newRow("ends in record 2") << bytes(kSong.left(1100)) << tooShort << before << kept;
        QTest::newRow("31 rows") << bytes(kHeader + hex("1F00") + kA.repeated(31))
                                 << QString::fromUtf8("9Index außerhalb des gültigen Bereichs")
                                 << QStringList(30, "A") << "A,A,A,A";
        QTest::newRow("variant of another type")
            << bytes(kHeader + hex("0100") + kA.chopped(2) + hex("0900"))
            << QString::fromUtf8("13Typen unverträglich") << before << kept;
    }
    void loads() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        QFETCH(QStringList, list);
        QFETCH(QString, records);
        FormFixture f;
        Form1& form = f.form();
        addPatterns(f, {"A", "B", "C", "D"});
        form.MSFlexGrid1->setRow(2);
        form.cmdCopy->click();
        form.txtSongNam->setText("Mein Song");
        form.txtPatNam->setText("Auf dem Schirm");
        f.setRow(3, {1, 2, 3});
        QString path = file == "FOLDER" ? form.DataPath : form.DataPath + "/in.dsg";
        if (file == "CANCEL") path.clear();
        if (!QStringList{"MISSING", "FOLDER", "CANCEL"}.contains(file))
            writeAll(path, QByteArray::fromHex(file.toLatin1()));
        f.dialogs().answerOpenFile(path);
        if (!message.isEmpty()) f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.app().mainCommands().Toolbar1_ButtonClick("SongLaden");
        QCOMPARE(f.dialogs().shown().constFirst().file.fileName, form.DataPath + "/*.dsg");
        // The file's path stands on a line of its own below the error.
        QCOMPARE(f.dialogs().messageTexts(),
                 message.isEmpty() ? QStringList{}
                                   : QStringList{message + "\n" + QDir::toNativeSeparators(path)});
        QCOMPARE(column(form, 0), list);
        QStringList names;
        for (int r = 1; r <= 4; ++r) names << f.song().store[r].Name;
        QCOMPARE(names.join(','), records);
        QCOMPARE(form.txtSongNam->text() + form.txtPatNam->text() + form.txtPatClipboard->text() +
                     f.app().songList().clipboard().Name,
                 "Mein SongAuf dem SchirmBB");
        QCOMPARE(f.row(3).mid(0, 3), (QList<int>{1, 2, 3}));
    }

    // Names the code page cannot hold are saved with '?' and said once for the file.
    void lostCharactersSaidOnce() {
        FormFixture f;
        addPatterns(f, {QString::fromUtf8("Schnee ☃"), QString::fromUtf8("Łódź")});
        const QString path = f.form().DataPath + "/lost.dsg";
        f.dialogs().answerSaveFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.form().Menus->MnuSaveSong->trigger();
        QCOMPARE(f.dialogs().messageTexts(), QStringList{lostCharactersText()});
        QCOMPARE(f.dialogs().shown().constLast().icon, sys::MessageIcon::Exclamation);
        QVERIFY(readAll(path).contains("Schnee ?"));
    }

    // A full disk, as a file size limit: the old file stays and the failure is said.
    void failedSaveKeepsTheOldFile() {
        FormFixture f;
        addPatterns(f, {"A", "B"});
        const QString old = f.form().DataPath + "/SongNam.dsg";
        writeAll(old, "the old song");
        f.dialogs().answerSaveFile(old);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{2000, saved.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        f.form().Menus->MnuSaveSong->trigger();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        QCOMPARE(readAll(old), "the old song");
        QCOMPARE(QDir(f.form().DataPath).entryList(QDir::Files), QStringList{"SongNam.dsg"});
        QCOMPARE(f.dialogs().messageTexts(),
                 QStringList{"Der Song konnte nicht gespeichert werden:\n" + old});
        QCOMPARE(f.dialogs().shown().constLast().icon, sys::MessageIcon::Critical);
    }
};

QTEST_MAIN(TstSongFile)
#include "tst_songfile.moc"
