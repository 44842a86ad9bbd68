#include "song/patternstore.h"

#include <QTest>

// How inserting and removing song rows move the stored patterns.
class TstSongStore : public QObject {
    Q_OBJECT

private slots:
    void songRowMoves_data() {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("expected");  // names of records 1..4 afterwards
        QTest::newRow("insert before the empty row") << true << 1 << 1 << true << "0,1,,";
        QTest::newRow("insert on the last row") << true << 3 << 3 << true << "1,2,0,3";
        QTest::newRow("insert into a full song") << true << 1 << 30 << false << "1,2,3,4";
        QTest::newRow("insert beyond the song") << true << 5 << 3 << false << "1,2,3,";
        QTest::newRow("cut row 2 of 3") << false << 2 << 3 << true << "1,3,3,";
        QTest::newRow("cut the only row") << false << 1 << 1 << true << ",,,";
        QTest::newRow("cut beyond the song") << false << 4 << 3 << false << "1,2,3,";
    }
    void songRowMoves() {
        QFETCH(bool, insert);
        QFETCH(int, row);
        QFETCH(int, rows);
        QFETCH(bool, done);
        QFETCH(QString, expected);
        PatternStore store;  // records 0..rows named by their index, all with loops 0
        for (int i = 0; i <= rows; ++i) store[i].Name = QString::number(i);
        QCOMPARE(insert ? store.insertSongRow(row, rows) : store.removeSongRow(row, rows), done);
        QStringList names;
        for (int i = 1; i <= 4; ++i) names << store[i].Name;
        QCOMPARE(names.join(u','), expected);
        if (insert && done) QCOMPARE(store[row].Loops, qint16(1));
    }

    void fieldValueRoundsAndClamps() {
        QCOMPARE(StoredPattern::fieldValue(2.5), qint16(2));
        QCOMPARE(StoredPattern::fieldValue(40000), qint16(32767));
        QCOMPARE(StoredPattern::fieldValue(-1e9), qint16(-32768));
        QCOMPARE(StoredPattern::fieldValue(qQNaN()), qint16(0));
    }
};

QTEST_GUILESS_MAIN(TstSongStore)
#include "tst_songstore.moc"
