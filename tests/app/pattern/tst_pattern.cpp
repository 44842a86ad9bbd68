#include "midifile/midiexport.h"
#include "pattern/pattern.h"
#include "pattern/patternbounce.h"
#include "song/patternrecord.h"
#include "song/song.h"

#include <QTest>

// The pattern as a value, and what the song store, the bounce and the export make of it,
// without a window.
class TstPattern : public QObject {
    Q_OBJECT

    // Row 1 (note 36) set at steps 1 and 3 of a 4/4 pattern of 4 steps a beat.
    static Pattern kick() {
        Pattern pattern;
        QList<Instrument> rows{{"Kick", "36"}, {"Snare", "38"}, {"Open", ""}};
        pattern.setInstruments(rows);
        pattern.setLevel(1, 1, 3);
        pattern.setLevel(3, 1, 1);
        pattern.setLevel(2, 3, 2);  // a row without a note stays silent
        return pattern;
    }

private slots:
    // Typed fields reshape the pattern as they reshape the grid.
    void fields_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("playable");
        QTest::newRow("beats x steps a beat") << int(Pattern::Takt) << "3"
                                              << "12" << 12 << 12;
        QTest::newRow("steps typed over the product") << int(Pattern::Steps) << "10"
                                                      << "10" << 10 << 10;
        QTest::newRow("a fraction of a step") << int(Pattern::Steps) << "2.5"
                                              << "2.5" << 2 << 2;
        QTest::newRow("no more than 256 columns") << int(Pattern::Steps) << "1600"
                                                  << "1600" << 256 << 256;
        QTest::newRow("letters") << int(Pattern::SubDivs) << "x"
                                 << "0" << 0 << 0;
        QTest::newRow("tempo leaves the steps") << int(Pattern::Bpm) << "60"
                                                << "16" << 16 << 16;
    }
    void fields() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, steps);
        QFETCH(int, columns);
        QFETCH(int, playable);
        Pattern pattern = kick();
        pattern.setText(Pattern::Field(field), text);
        QCOMPARE(pattern.text(Pattern::Steps), steps);
        QCOMPARE(pattern.columns(), columns);
        QCOMPARE(pattern.playableColumns(), playable);
        QCOMPARE(pattern.level(1, 1), columns >= 1 ? 3 : 0);  // kept where the column stays
    }

    void rotationsWrapAround() {
        Pattern pattern = kick();
        pattern.rotateRight();
        QCOMPARE(pattern.level(2, 1), 3);
        QCOMPARE(pattern.level(4, 1), 1);
        for (int i = 0; i < 16; ++i) pattern.rotateLeft();
        pattern.rotateLeft();
        QCOMPARE(pattern, kick());
    }

    // A record keeps 30 steps; the screen's rows are matched by note when it comes back.
    void songRecordKeepsThirtySteps() {
        Pattern wide = kick();
        wide.setText(Pattern::Takt, "8");  // 32 steps
        wide.setLevel(30, 2, 2);
        wide.setLevel(31, 2, 3);
        StoredPattern record;
        QVERIFY(!patternrecord::store(wide, &record));
        Pattern back = kick();
        back.clear();
        patternrecord::load(record, &back);
        QCOMPARE(back.text(Pattern::Steps), QStringLiteral("32"));
        QCOMPARE(back.level(1, 1), 3);
        QCOMPARE(back.level(30, 2), 2);
        QCOMPARE(back.level(31, 2), 0);
        QCOMPARE(back.level(2, 3), 0);  // a row without a note takes nothing
    }

    void bounceAndExportOfTheValue() {
        const auto take = PatternBounce::of(kick(), 2);
        QVERIFY(take);
        QCOMPARE(take->messages.size(), 8);  // two notes a loop, on and off
        QCOMPARE(take->messages[2].seconds, 2 * 60.0 / 400);
        QCOMPARE(take->seconds, 2 * 16 * 60.0 / 400 + PatternBounce::kTailSeconds);
        Pattern silent = kick();
        silent.setText(Pattern::Bpm, "0");
        QVERIFY(!PatternBounce::of(silent, 1));
        const auto file = MidiExport::midiFile(MidiExport::Pattern, kick(), Song(), "Kick");
        QVERIFY(file && file->startsWith("MThd"));
        QVERIFY(file->contains("Kick"));
    }
};

QTEST_GUILESS_MAIN(TstPattern)
#include "tst_pattern.moc"
