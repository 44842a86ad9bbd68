#include "pattern/pattern.h"
#include "shared/drumoutput.h"
#include "song/song.h"
#include "transport/transport.h"

#include <QTest>
#include <functional>

// The song as the transport plays it while the list changes under it, without a window:
// each record sounds its own note, so the notes heard name the rows that played.
class TstSongStepper : public QObject {
    Q_OBJECT

    struct Heard : DrumOutput {
        QString names;
        void PlayDrumNote(int note, int) override { names += QChar('A' + note - 36); }
    };
    using Edit = std::function<void(Song&, Transport&)>;

    // Rows A, B, C... of one step each; a row's letter gives its loop count.
    static Song songOf(const QList<int>& loops) {
        Song song;
        song.rows = int(loops.size());
        for (int r = 1; r <= song.rows; ++r) song.store[r] = record(r, loops[r - 1]);
        return song;
    }
    static StoredPattern record(int letter, int loops) {
        StoredPattern record;
        record.Name = QChar('A' + letter - 1);
        record.Loops = qint16(loops);
        record.Takt = 1, record.SubDivs = 1, record.BPM = 120;
        record.setCell(letter, 1, 3);
        record.Notes[letter] = qint16(35 + letter);
        return record;
    }
    // What the song list does: the store changes and the transport is told.
    static Edit cut(int row) {
        return [row](Song& song, Transport& t) {
            song.store.removeSongRow(row, song.rows);
            song.rows = std::max(1, song.rows - 1);
            t.songRowRemoved(row);
        };
    }
    static Edit insert(int row, int letter) {
        return [row, letter](Song& song, Transport& t) {
            song.store[0] = record(letter, 1);
            song.store.insertSongRow(row, song.rows++);
            t.songRowInserted(row);
        };
    }
    static Edit loops(int row, int count) {
        return [row, count](Song& song, Transport&) { song.store[row].Loops = qint16(count); };
    }

private slots:
    void editsWhilePlaying_data() {
        QTest::addColumn<QList<int>>("rowLoops");
        QTest::addColumn<int>("ticksBefore");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("heard");
        QTest::newRow("nothing changes") << QList<int>{1, 1, 1} << 1 << Edit{} << "ABC";
        QTest::newRow("cut the next row") << QList<int>{1, 1, 1} << 1 << cut(2) << "AC";
        QTest::newRow("cut the playing row") << QList<int>{2, 1, 1} << 1 << cut(1) << "AABC";
        QTest::newRow("cut a row played") << QList<int>{1, 1, 1} << 2 << cut(1) << "ABC";
        QTest::newRow("cut the last row: no phantom row")
            << QList<int>{1, 1, 1} << 2 << cut(3) << "AB";
        QTest::newRow("insert after the playing row")
            << QList<int>{1, 1, 1} << 1 << insert(2, 4) << "ADBC";
        QTest::newRow("insert before the playing row")
            << QList<int>{2, 1, 1} << 1 << insert(1, 4) << "AABC";
        QTest::newRow("loops 0 on a later row") << QList<int>{1, 1, 1} << 1 << loops(2, 0) << "AC";
        QTest::newRow("more loops on a later row")
            << QList<int>{1, 1, 1} << 1 << loops(3, 2) << "ABCC";
    }
    void editsWhilePlaying() {
        QFETCH(QList<int>, rowLoops);
        QFETCH(int, ticksBefore);
        QFETCH(Edit, edit);
        QFETCH(QString, heard);
        Song song = songOf(rowLoops);
        Pattern pattern;
        QList<Instrument> rows;
        for (int r = 1; r <= 4; ++r) rows << Instrument{QString(), QString::number(35 + r)};
        pattern.setInstruments(rows);
        Heard output;
        Transport transport(pattern, song, output);
        transport.playSong();
        for (int i = 1; i < ticksBefore; ++i) transport.tick();
        if (edit) edit(song, transport);
        for (int i = 0; i < 20 && transport.state() == Transport::State::Song; ++i)
            transport.tick();
        QCOMPARE(output.names, heard);
        QCOMPARE(transport.state(), Transport::State::Stopped);
    }
};

QTEST_GUILESS_MAIN(TstSongStepper)
#include "tst_songstepper.moc"
