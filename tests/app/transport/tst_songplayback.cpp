#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "shared/stepgrid.h"
#include "shared/steptimer.h"
#include "song/song.h"
#include "transport/songplayback.h"
#include "transport/transport.h"
#include "views/songgrid.h"
#include "views/taglabel.h"

#include <QAbstractButton>
#include <QTest>

// Song playback driven tick by tick: rows, passes, loop cells, highlight and tempo.
class TstSongPlayback : public QObject {
    Q_OBJECT

    struct Row {
        int loops = 1;
        int subdivs = 2;  // one beat a bar: the row has this many steps
        int bpm = 120;
    };
    // Every row sounds row 1's instrument at its first step.
    static void setSong(FormFixture& f, const QList<Row>& rows) {
        f.editSong([&](Song& song) { fillSong(song, rows); });
    }
    static void fillSong(Song& song, const QList<Row>& rows) {
        song.rows = int(rows.size());
        for (int r = 1; r <= rows.size(); ++r) {
            StoredPattern& record = song.store[r];
            record = StoredPattern();
            record.Name = QString::number(r);
            record.Loops = qint16(rows[r - 1].loops);
            record.Takt = 1;
            record.SubDivs = qint16(rows[r - 1].subdivs);
            record.BPM = qint16(rows[r - 1].bpm);
            record.setCell(1, 1, 3);
        }
    }
    static void tick(FormFixture& f) { f.transport().tick(); }
    // The rows played tick by tick from the press until the song ends (at most 100 ticks).
    static QString run(FormFixture& f) {
        QStringList played;
        QTest::mouseClick(f.form().cmdPlySng, Qt::LeftButton);
        for (int i = 0; i < 100 && f.timer().isEnabled(); ++i) {
            played << QString::number(f.transport().songRow());
            tick(f);
        }
        return played.join(' ');
    }

private slots:
    void rowsAndPasses_data() {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QString>("played");
        QTest::newRow("loops 2 and 1") << QList<Row>{{2}, {1}} << "1 1 1 1 2 2";
        QTest::newRow("loops 0 passed over") << QList<Row>{{1}, {0}, {1}} << "1 1 3 3";
        QTest::newRow("loops 0 as row 1") << QList<Row>{{0}, {1}} << "2 2";
        QTest::newRow("negative loops") << QList<Row>{{-1}, {1}} << "2 2";
        QTest::newRow("no steps") << QList<Row>{{1, 0}, {1}} << "2 2";
        QTest::newRow("nothing to play") << QList<Row>{{0}} << "";
        QTest::newRow("tempo 0 plays") << QList<Row>{{1, 2, 0}} << "1 1";
    }
    void rowsAndPasses() {
        QFETCH(QList<Row>, rows);
        QFETCH(QString, played);
        FormFixture f;
        setSong(f, rows);
        QCOMPARE(run(f), played);
        QVERIFY(!f.form().cmdPlySng->isChecked());
        for (int r = 1; r <= rows.size(); ++r) {
            QCOMPARE(f.form().MSFlexGrid1->cellBackColor(r, 2), QColor(Qt::white));
            QCOMPARE(f.form().MSFlexGrid1->textMatrix(r, 1), QString::number(rows[r - 1].loops));
        }
    }

    void loopCellCountsDownAndStopKeepsIt() {
        FormFixture f;
        setSong(f, {{4, 1}, {1, 1}});
        SongGrid* grid = f.form().MSFlexGrid1;
        QTest::mouseClick(f.form().cmdPlySng, Qt::LeftButton);  // pass 1
        QCOMPARE(grid->cellBackColor(1, 0), QColor(Qt::red));
        tick(f);  // pass 2
        QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("3"));
        tick(f);  // pass 3: two passes left
        QTest::mouseClick(f.form().cmdPlySng, Qt::LeftButton);
        QCOMPARE(grid->textMatrix(1, 1), QStringLiteral("2"));
        QCOMPARE(grid->cellBackColor(1, 0), QColor(Qt::white));
        QVERIFY(!f.timer().isEnabled());
        f.clearSent();
        QTest::mouseClick(f.form().cmdPlySng, Qt::LeftButton);  // again from row 1, pass 1
        QCOMPARE(f.transport().songRow(), 1);
        QCOMPARE(f.transport().loopsLeft(), 4);
        QCOMPARE(f.sent().size(), 2);
    }

    void notesOfTheCurrentInstrumentList() {
        FormFixture f;
        setSong(f, {{1}});
        f.editSong([](Song& song) { song.store[1].Notes[1] = 99; });  // the stored note is not used
        f.setInstrumentTag(1, "40");
        QTest::mouseClick(f.form().cmdPlySng, Qt::LeftButton);
        QCOMPARE(f.sent().value(0), 0x99u | 40u << 8 | 126u << 16);
    }

    void thirtyRowsEnd() {
        FormFixture f;
        setSong(f, QList<Row>(30, Row{1, 1}));
        QCOMPARE(run(f).count(' ') + 1, 30);
    }

    // The interval after the tick in which a row began is that row's; the step grid is
    // re-based there, one new period after that tick.
    void tempoOfANewRow() {
        FormFixture f;
        setSong(f, {{1, 1, 100}, {1, 2, 150}});
        QTest::mouseClick(f.form().cmdPlySng, Qt::LeftButton);
        QCOMPARE(f.timer().interval(), 600);
        tick(f);  // row 2 begins
        QCOMPARE(f.timer().interval(), 200);
        QTest::mouseClick(f.form().cmdPlySng, Qt::LeftButton);

        using namespace std::chrono;
        StepGrid grid;
        const auto t0 = StepGrid::Clock::time_point{};
        grid.start(t0, 600);
        QCOMPARE(grid.deadline(3), t0 + milliseconds(1800));
        grid.changePeriod(3, 200);
        QCOMPARE(grid.deadline(3), t0 + milliseconds(1800));
        QCOMPARE(grid.deadline(4), t0 + milliseconds(2000));
        QCOMPARE(grid.deadline(1003), t0 + milliseconds(201800));
        grid.changePeriod(1003, 1000.0 / 3);  // the exact period, not whole milliseconds
        QCOMPARE(grid.deadline(1006), t0 + milliseconds(202800));
    }
};

QTEST_MAIN(TstSongPlayback)
#include "tst_songplayback.moc"
