#include "midifile.h"
#include "midifile/smfbuilder.h"
#include "song/patternstore.h"

#include <QTest>
#include <cmath>

namespace {

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

SmfSettings settings(double spb, double bpm) {
    return {"P", 4, 4, spb, bpm};
}

StoredPattern storedRow(int bpm, int spb, int takt, int loops) {
    StoredPattern record;
    record.BPM = qint16(bpm);
    record.SubDivs = qint16(spb);
    record.Takt = qint16(takt);
    record.Loops = qint16(loops);
    return record;
}

}  // namespace

Q_DECLARE_METATYPE(SmfSettings)

// The exported bytes, against bytes written by hand and read back by a reader of its own.
class TstSmfBuilder : public QObject {
    Q_OBJECT

private slots:
    void emptyPatternFile() {
        const QByteArray notice =
            "\x15"
            "Erstellt mit Beatloft";
        const QByteArray expected =
            hex("4D546864 00000006 0001 0003 0060 4D54726B 0000000C 00FF5804 04022004 00FF2F00") +
            hex("4D54726B 00000035 00FF5103 0927C0 00FF02") + notice + hex("00FF0301") + "P" +
            hex("00 892400 18890100 18890100 00FF2F00 4D54726B 0000001D 00FF03") + notice +
            hex("00FF2F00");
        QCOMPARE(SmfBuilder::exportPattern(settings(4, 100), {{36}, {{0}, {0}}}), expected);
    }

    void patternEvents_data() {
        QTest::addColumn<double>("spb");
        QTest::addColumn<QList<int>>("notes");
        QTest::addColumn<QList<QList<int>>>("steps");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("three levels in one step")
            << 4.0 << QList<int>{36, 38, 42} << QList<QList<int>>{{1, 2, 3}}
            << hex("892400 0099243F 0099265F 00992A7F 18890100 00892400 00892600 00892A00");
        QTest::newRow("5 steps per beat keep time")
            << 5.0 << QList<int>{36} << QList<QList<int>>(5, {0})
            << hex("892400 13890100 13890100 14890100 13890100 13890100");
        QTest::newRow("step of 192 ticks")
            << 0.5 << QList<int>{36} << QList<QList<int>>{{0}} << hex("892400 8140890100");
        QTest::newRow("notes above 127 left out")
            << 4.0 << QList<int>{200, 36} << QList<QList<int>>{{3, 1}}
            << hex("892400 0099243F 18890100 00892400");
    }
    void patternEvents() {
        QFETCH(double, spb);
        QFETCH(QList<int>, notes);
        QFETCH(QList<QList<int>>, steps);
        QFETCH(QByteArray, expected);
        QCOMPARE(SmfBuilder(settings(spb, 120)).BuildPatternEvents({notes, steps}), expected);
    }

    void fileFields_data() {
        QTest::addColumn<SmfSettings>("fields");
        QTest::addColumn<QByteArray>("timeSignature");
        QTest::addColumn<QByteArray>("tempo");
        QTest::newRow("100 BPM") << SmfSettings{"P", 4, 4, 4, 100} << hex("04022004")
                                 << hex("0927C0");
        QTest::newRow("denominator 6")
            << SmfSettings{"P", 3, 6, 4, 120} << hex("03032004") << hex("07A120");
        QTest::newRow("fraction rounded in the last byte")
            << SmfSettings{"P", 4, 8, 3, 90} << hex("04032003") << hex("0A2C2B");
        QTest::newRow("name of 130 characters")
            << SmfSettings{QString(130, u'n'), 4, 4, 4, 120} << hex("04022004") << hex("07A120");
    }
    void fileFields() {
        QFETCH(SmfSettings, fields);
        QFETCH(QByteArray, timeSignature);
        QFETCH(QByteArray, tempo);
        const MidiFile file = MidiFile::read(*SmfBuilder::exportPattern(fields, {{36}, {{1}}}));
        QVERIFY(file.valid);
        QCOMPARE(file.runningStatusEvents, 0);
        QCOMPARE(file.meta(0x58), timeSignature);
        QCOMPARE(file.meta(0x51), tempo);
        QCOMPARE(file.meta(0x03), fields.name.toLatin1());
    }

    // Microseconds per quarter, round(60e6 / BPM), big-endian: in the file's first tempo event
    // and in a song row's (the screen plays at 60 BPM, the row at the given tempo).
    void tempoBytes_data() {
        QTest::addColumn<double>("bpm");
        QTest::addColumn<QByteArray>("tempo");
        QTest::newRow("125: 479999.99999999994 carries") << 125.0 << hex("075300");
        QTest::newRow("62.5: 959999.9999999999 carries") << 62.5 << hex("0EA600");
        QTest::newRow("90: 666666.67 rounds up") << 90.0 << hex("0A2C2B");
        QTest::newRow("250") << 250.0 << hex("03A980");
        QTest::newRow("4: the slowest whole tempo") << 4.0 << hex("E4E1C0");
    }
    void tempoBytes() {
        QFETCH(double, bpm);
        QFETCH(QByteArray, tempo);
        const MidiFile pattern = MidiFile::read(*SmfBuilder::exportPattern(settings(4, bpm), {}));
        QCOMPARE(pattern.meta(0x51), tempo);
        if (bpm != std::floor(bpm)) return;  // a song row's tempo is a whole number
        PatternStore store;
        store[1] = storedRow(int(bpm), 4, 1, 1);
        const MidiFile song = MidiFile::read(*SmfBuilder::exportSong(settings(4, 60), store, 1));
        QList<QByteArray> tempos;
        for (const MidiEvent& e : song.eventsOf(0xFF))
            if (e.data.startsWith('\x51')) tempos << e.data.mid(1);
        QCOMPARE(tempos, (QList<QByteArray>{hex("0F4240"), tempo}));
    }

    void impossibleExports_data() {
        QTest::addColumn<double>("spb");
        QTest::addColumn<double>("bpm");
        QTest::newRow("steps per beat 0") << 0.0 << 100.0;
        QTest::newRow("tempo 0") << 4.0 << 0.0;
        QTest::newRow("tempo beyond 3 bytes") << 4.0 << 3.0;
        QTest::newRow("step beyond a delta time") << 1e-8 << 100.0;
    }
    void impossibleExports() {
        QFETCH(double, spb);
        QFETCH(double, bpm);
        QVERIFY(!SmfBuilder::exportPattern(settings(spb, bpm), {{36}, {{1}}}));
        QVERIFY(!SmfBuilder::exportSong(settings(spb, bpm), PatternStore(), 1));
    }

    void songAtScreenValues() {
        PatternStore store;
        store[1] = storedRow(100, 4, 1, 0);  // passed over
        store[1].setCell(1, 1, 3);
        store[1].Notes[1] = 36;
        store[2] = store[1];
        store[2].Loops = 2;
        const QByteArray pass = hex("0099247F 18890100 00892400 18890100 18890100 18890100");
        QCOMPARE(SmfBuilder(settings(4, 100)).BuildSongEvents(store, 2),
                 hex("892400") + pass + pass);
    }

    // Row 1: 120 BPM, 4 steps, twice; row 2: 90 BPM triplets; rows 3 to 5 (loops 0, loops -1,
    // steps per beat 0) passed over; row 6: tempo 0 (90 stays), 4 steps per beat. Song playback's
    // steps last 60 / (tempo x steps per beat) seconds each; the times below are summed by hand.
    void songTimesFollowPlayback() {
        PatternStore store;
        const int rows[][4] = {{120, 4, 2, 36}, {90, 3, 1, 38}, {60, 4, 0, 40},
                               {60, 4, -1, 41}, {60, 0, 1, 43}, {0, 4, 1, 42}};
        for (int r = 1; r <= 6; ++r) {
            store[r] = storedRow(rows[r - 1][0], rows[r - 1][1], 1, rows[r - 1][2]);
            store[r].Notes[1] = qint16(rows[r - 1][3]);
            store[r].setCell(1, r == 6 ? 2 : 1, 1);
        }
        store[2].setCell(1, 2, 1);
        store[2].setCell(1, 3, 1);
        const MidiFile file = MidiFile::read(*SmfBuilder::exportSong(settings(4, 120), store, 6));
        QVERIFY(file.valid);
        QList<QPair<int, double>> onsets;
        for (const MidiEvent& e : file.events)
            if (e.status == 0x99) onsets << qMakePair(int(e.data[0]), e.seconds);
        const QList<QPair<int, double>> expected{{36, 0.0},      {36, 0.5},      {38, 1.0},
                                                 {38, 1.222222}, {38, 1.444444}, {42, 1.833333}};
        QCOMPARE(onsets.size(), expected.size());
        for (qsizetype i = 0; i < onsets.size(); ++i) {
            QCOMPARE(onsets[i].first, expected[i].first);
            QVERIFY(qAbs(onsets[i].second - expected[i].second) < 1e-5);
        }
    }

    void hostileSongRefused() {
        PatternStore store;
        store[1] = storedRow(100, 32767, 32767, 32767);
        QVERIFY(!SmfBuilder::exportSong(settings(4, 100), store, 1));
        store[1] = storedRow(2, 4, 1, 1);
        QVERIFY(!SmfBuilder::exportSong(settings(4, 100), store, 1));
    }
};

QTEST_GUILESS_MAIN(TstSmfBuilder)
#include "tst_smfbuilder.moc"
