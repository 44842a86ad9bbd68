#include "song/littleendianreader.h"
#include "song/patternstore.h"
#include "song/songcodec.h"

#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
QByteArray zeros(int count) {
    return QByteArray(count, '\0');
}

// The 961 cell bytes with one level at each given position.
QByteArray cells(const QList<QPair<int, char>>& levels) {
    QByteArray block = zeros(961);
    for (const auto& [position, level] : levels) block[position] = level;
    return block;
}

const QByteArray kHeader = "Beatloft Version 1.0.28       ";
// "Rock": 100 BPM, 4 steps per beat, 4 beats, notes 36 and 38, level 3 at row 1 step 1 and
// level 1 at row 2 step 3, loops 2, the unread fields empty.
const QByteArray kRock = hex("0400 526F636B 6400 0400 0400 0000 2400 2600") + zeros(56) +
                         cells({{32, 3}, {95, 1}}) + hex("0200") + zeros(8);
// "Füll€" in the Windows code page: 90 BPM, triplets, note 42 at level 2 on step 2, loops 1.
const QByteArray kFill = hex("0500 46FC6C6C80 5A00 0300 0400 0000 2A00") + zeros(58) +
                         cells({{63, 2}}) + hex("0100") + zeros(8);
const QByteArray kEmpty = zeros(2 + 6 + 62 + 961 + 2 + 8);
const QByteArray kSong = kHeader + hex("0300") + kRock + kFill + kEmpty;

StoredPattern record(const QString& name, int bpm, int spb, int loops,
                     const QList<QList<int>>& notesAndLevels) {  // {row, note, step, level}
    StoredPattern r;
    r.Name = name;
    r.BPM = qint16(bpm);
    r.SubDivs = qint16(spb);
    r.Takt = 4;
    r.Loops = qint16(loops);
    for (const QList<int>& n : notesAndLevels) {
        r.Notes[n[0]] = qint16(n[1]);
        r.setCell(n[0], n[2], n[3]);
    }
    return r;
}

}  // namespace

// The song file's bytes both ways, and what a damaged file leaves loaded.
class TstSongCodec : public QObject {
    Q_OBJECT

private slots:
    void knownSongBothWays() {
        PatternStore store;
        store[1] = record("Rock", 100, 4, 2, {{1, 36, 1, 3}, {2, 38, 3, 1}});
        store[2] = record(QString::fromUtf8("Füll€"), 90, 3, 1, {{1, 42, 2, 2}});
        QCOMPARE(SongCodec::encodeSong(SongCodec::headerText("Beatloft"), store, 3), kSong);
        PatternStore loaded;
        const SongLoadResult result = SongCodec::decodeSong(kSong, &loaded);
        QVERIFY(!result.error);
        QCOMPARE(result.header, QString::fromLatin1(kHeader));
        for (int row = 1; row <= 3; ++row) QVERIFY(loaded[row] == store[row]);
        QCOMPARE(SongCodec::encodeSong(QString(40, u'x'), store, 0),
                 QByteArray(30, 'x') + zeros(2));
    }

    void unreadFieldsKept_data() {
        QTest::addColumn<QByteArray>("tail");  // the bytes after Loops
        QTest::newRow("string variant") << hex("07000000 0200 6869 0800 0300 4142FF");
        QTest::newRow("double variant") << hex("00000000 0000 0500 000000000000F03F");
    }
    void unreadFieldsKept() {
        QFETCH(QByteArray, tail);
        const QByteArray bytes = kRock.left(kRock.size() - 8) + tail;
        LittleEndianReader reader(bytes);
        StoredPattern decoded;
        QVERIFY(!SongCodec::decodeRecord(reader, &decoded));
        QCOMPARE(reader.remaining(), 0);
        QCOMPARE(SongCodec::encodeRecord(decoded), bytes);
    }

    // A name character the code page cannot hold is written as '?', as Windows writes it
    // (a character beyond 16 bits is one character), and the encoder says so.
    void namesOutsideTheCodePage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<bool>("lost");
        QTest::newRow("code page only")
            << QString::fromUtf8("Füll€") << hex("0500 46FC6C6C80") << false;
        QTest::newRow("question mark") << "Wer?" << hex("0400") + "Wer?" << false;
        QTest::newRow("snowman") << QString::fromUtf8("Schnee ☃") << hex("0800") + "Schnee ?"
                                 << true;
        QTest::newRow("emoji") << QString::fromUtf8("a😀b") << hex("0300") + "a?b" << true;
        QTest::newRow("Polish") << QString::fromUtf8("Łódź") << hex("0400 3FF3643F") << true;
    }
    void namesOutsideTheCodePage() {
        QFETCH(QString, name);
        QFETCH(QByteArray, field);
        QFETCH(bool, lost);
        StoredPattern record;
        record.Name = name;
        bool lostCharacters = false;
        QCOMPARE(SongCodec::encodeRecord(record, &lostCharacters).left(field.size()), field);
        QCOMPARE(lostCharacters, lost);
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("error");     // 0: none
        QTest::addColumn<int>("rowCount");  // -1: not read
        QTest::addColumn<int>("recordsRead");
        QTest::addColumn<QString>("names");  // of records 1..4 afterwards, all "old" before
        const QString old = "old,old,old,old";
        const QByteArray badVariant = kHeader + hex("0100") + kRock.chopped(2) + hex("0900");
        QTest::newRow("empty") << QByteArray() << 62 << -1 << 0 << old;
        QTest::newRow("inside the count") << kHeader + "\x01" << 62 << -1 << 0 << old;
        QTest::newRow("count 0") << kHeader + zeros(2) << 0 << 0 << 0 << old;
        QTest::newRow("negative count") << kHeader + "\xFB\xFF" << 0 << 0 << 0 << old;
        QTest::newRow("inside record 2") << kSong.left(1100) << 62 << 3 << 1 << "Rock,,old,old";
        QTest::newRow("bytes after the last record")
            << kSong + "junk" << 0 << 3 << 3 << QString::fromUtf8("Rock,Füll€,,old");
        QTest::newRow("31 rows") << kHeader + hex("1F00") + kEmpty.repeated(31) << 9 << 31 << 30
                                 << ",,,";
        QTest::newRow("variant of unknown type") << badVariant << 13 << 1 << 0 << ",old,old,old";
    }
    void damagedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, error);
        QFETCH(int, rowCount);
        QFETCH(int, recordsRead);
        QFETCH(QString, names);
        PatternStore store;
        for (int i = 0; i < PatternStore::kRecords; ++i) store[i].Name = "old";
        const SongLoadResult result = SongCodec::decodeSong(bytes, &store);
        QCOMPARE(result.error ? result.error->number : 0, error);
        QCOMPARE(result.rowCount.value_or(-1), rowCount);
        QCOMPARE(result.recordsRead, recordsRead);
        QStringList loaded;
        for (int i = 1; i <= 4; ++i) loaded << store[i].Name;
        QCOMPARE(loaded.join(u','), names);
    }

    void fileErrors() {
        QTemporaryDir dir;
        QByteArray bytes;
        QCOMPARE(SongCodec::readFile(dir.filePath("none.dsg"), &bytes)->message(),
                 "53Datei nicht gefunden");
        QCOMPARE(SongCodec::readFile(dir.path(), &bytes)->message(),
                 "75Fehler beim Zugriff auf Pfad/Datei");
        // A folder the user may not search: 75, whoever runs the test (root as another user).
        QVERIFY(QDir(dir.path()).mkdir("closed"));
        QVERIFY(QFile::setPermissions(dir.filePath("closed"), QFileDevice::ReadOwner));
        const pid_t child = fork();
        if (child == 0) {
            if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
            const auto error = SongCodec::readFile(dir.filePath("closed/in.dsg"), &bytes);
            _exit(error && error->number == 75 ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

QTEST_GUILESS_MAIN(TstSongCodec)
#include "tst_songcodec.moc"
