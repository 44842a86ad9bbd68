#include "midifile/midiexport.h"
#include "pattern/pattern.h"
#include "pattern/patternbounce.h"
#include "pattern/rowmix.h"
#include "song/patternrecord.h"
#include "song/song.h"

#include <QTest>
#include <cstdlib>

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

    // Which of rows 1..4 sound under mutes and solos.
    void rowMixSounds_data() {
        QTest::addColumn<QList<int>>("muted");
        QTest::addColumn<QList<int>>("solo");
        QTest::addColumn<QList<int>>("sounding");
        QTest::newRow("none set") << QList<int>{} << QList<int>{} << QList<int>{1, 2, 3, 4};
        QTest::newRow("one muted") << QList<int>{2} << QList<int>{} << QList<int>{1, 3, 4};
        QTest::newRow("one solo") << QList<int>{} << QList<int>{3} << QList<int>{3};
        QTest::newRow("two solo") << QList<int>{} << QList<int>{1, 4} << QList<int>{1, 4};
        QTest::newRow("muted beside solo") << QList<int>{1} << QList<int>{3} << QList<int>{3};
        QTest::newRow("muted and solo") << QList<int>{3} << QList<int>{3, 4} << QList<int>{4};
        QTest::newRow("undone") << QList<int>{-2} << QList<int>{-3} << QList<int>{1, 2, 3, 4};
    }
    void rowMixSounds() {
        QFETCH(QList<int>, muted);
        QFETCH(QList<int>, solo);
        QFETCH(QList<int>, sounding);
        RowMix mix;
        // A negative row is set and taken back again.
        for (int row : muted) mix.setMuted(std::abs(row), true);
        for (int row : solo) mix.setSolo(std::abs(row), true);
        for (int row : muted + solo)
            if (row < 0) mix.setMuted(-row, false), mix.setSolo(-row, false);
        QList<int> heard;
        for (int row = 1; row <= 4; ++row)
            if (mix.sounds(row)) heard << row;
        QCOMPARE(heard, sounding);
    }

    // The bounce of a pattern with its snare muted holds no snare note.
    void mutedSnareIsNotBounced() {
        Pattern pattern = kick();
        pattern.setLevel(5, 2, 2);
        RowMix mix;
        mix.setMuted(2, true);
        const auto take = PatternBounce::of(mix.applied(pattern), 1);
        QVERIFY(take);
        QList<int> notes;
        for (const midi::TimedMessage& m : take->messages) notes << int(m.message >> 8 & 0x7f);
        QCOMPARE(notes, (QList<int>{36, 36, 36, 36}));
        QCOMPARE(mix.applied(pattern).instruments()[0], pattern.instruments()[0]);
    }
};

QTEST_GUILESS_MAIN(TstPattern)
#include "tst_pattern.moc"
