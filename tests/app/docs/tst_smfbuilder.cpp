#include "docs/smfbuilder.h"
#include "shared/patternstore.h"

#include <QTest>

namespace {

// A small Standard MIDI File reader written from the file format, sharing nothing with the
// writer: chunks by their lengths, delta times as variable-length quantities, running status.
// Event times in seconds follow the tempo events of the same track, where this file has them.
struct MidiEvent {
    double seconds;
    int status;       // 0xFF for a meta event
    QByteArray data;  // a meta event's type first, then its text or value
};
struct MidiFile {
    bool valid = false;
    int runningStatusEvents = 0;
    QList<MidiEvent> events;  // track by track
};

quint32 bigEndian(const QByteArray& b, qsizetype pos, int count) {
    quint32 value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | quint8(b[pos + i]);
    return value;
}

bool readQuantity(const QByteArray& b, qsizetype* pos, qsizetype end, quint32* value) {
    *value = 0;
    for (int i = 0; i < 4 && *pos < end; ++i) {
        const quint8 byte = quint8(b[(*pos)++]);
        *value = (*value << 7) | (byte & 0x7F);
        if (!(byte & 0x80)) return true;
    }
    return false;
}

bool readTrack(const QByteArray& b, qsizetype pos, qsizetype end, MidiFile* file) {
    double seconds = 0, microseconds = 500000;
    int running = 0;
    while (pos < end) {
        quint32 delta = 0, count = 0;
        if (!readQuantity(b, &pos, end, &delta) || pos >= end) return false;
        seconds += delta * microseconds / 1e6 / 96;
        MidiEvent event{seconds, quint8(b[pos]), {}};
        if (event.status < 0x80 && !running) return false;
        file->runningStatusEvents += event.status < 0x80;
        event.status < 0x80 ? event.status = running : ++pos;
        if (event.status >= 0xF0) {
            running = 0;
            if (event.status == 0xFF && pos < end) event.data.append(b[pos++]);
            if (!readQuantity(b, &pos, end, &count)) return false;
        } else {
            running = event.status;
            count = (event.status & 0xE0) == 0xC0 ? 1 : 2;
        }
        if (pos + qsizetype(count) > end) return false;
        event.data += b.mid(pos, count);
        pos += count;
        if (event.status == 0xFF && event.data[0] == 0x51)
            microseconds = bigEndian(event.data, 1, 3);
        file->events << event;
    }
    return true;
}

// Format 1, three tracks, 96 ticks per quarter note, nothing after the last track.
MidiFile readMidi(const QByteArray& b) {
    MidiFile file;
    if (!b.startsWith(QByteArray::fromHex("4D546864 00000006 0001 0003 0060"))) return file;
    qsizetype pos = 14;
    int tracks = 0;
    for (; pos + 8 <= b.size(); ++tracks) {
        const qsizetype end = pos + 8 + bigEndian(b, pos + 4, 4);
        if (b.mid(pos, 4) != "MTrk" || end > b.size() || !readTrack(b, pos + 8, end, &file))
            return file;
        pos = end;
    }
    file.valid = pos == b.size() && tracks == 3;
    return file;
}

QByteArray meta(const MidiFile& file, int type) {
    for (const MidiEvent& e : file.events)
        if (e.status == 0xFF && e.data[0] == type) return e.data.mid(1);
    return {};
}

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
        const MidiFile file = readMidi(*SmfBuilder::exportPattern(fields, {{36}, {{1}}}));
        QVERIFY(file.valid);
        QCOMPARE(file.runningStatusEvents, 0);
        QCOMPARE(meta(file, 0x58), timeSignature);
        QCOMPARE(meta(file, 0x51), tempo);
        QCOMPARE(meta(file, 0x03), fields.name.toLatin1());
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
        const MidiFile file = readMidi(*SmfBuilder::exportSong(settings(4, 120), store, 6));
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
