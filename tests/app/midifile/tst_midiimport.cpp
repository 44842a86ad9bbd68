#include "midifile/midiexport.h"
#include "midifile/midiimport.h"
#include "pattern/pattern.h"
#include "pattern/patternreader.h"
#include "song/song.h"

#include <QTest>

// MIDI files read into patterns: hand-written files in rows, and this program's own export
// read back.
class TstMidiImport : public QObject {
    Q_OBJECT

    // 18 rows naming notes 35 to 52, as a start-up pattern's.
    static Pattern rows() {
        Pattern pattern;
        QList<Instrument> instruments;
        for (int note = 35; note < 35 + pattern.rows(); ++note)
            instruments << Instrument{QString::number(note), QString::number(note)};
        pattern.setInstruments(instruments);
        return pattern;
    }

    static QByteArray file(int format, const QList<QByteArray>& tracks, int division = 96) {
        const auto word = [](int value) {
            return QByteArray::fromHex(QByteArray::number(value, 16).rightJustified(4, '0'));
        };
        QByteArray bytes = QByteArray::fromHex("4D54686400000006") + word(format) +
                           word(int(tracks.size())) + word(division);
        for (const QByteArray& hex : tracks) {
            const QByteArray track = QByteArray::fromHex(hex + "00FF2F00");
            const qint32 n = qint32(track.size());
            bytes += "MTrk" + QByteArray::fromHex(QByteArray::number(n, 16).rightJustified(8, '0'));
            bytes += track;
        }
        return bytes;
    }

    // Settings, then each row with a level as "note:levels", then the notes left out.
    static QString reading(const MidiImport::Result& result) {
        const Pattern& p = result.pattern;
        QStringList parts{QStringLiteral("%1/%2 %3x%4 %5bpm")
                              .arg(p.text(Pattern::Takt), p.text(Pattern::TaktNenner),
                                   p.text(Pattern::SubDivs), p.text(Pattern::Steps),
                                   p.text(Pattern::Bpm))};
        for (int row = 1; row <= p.rows(); ++row) {
            if (!p.rowHasLevel(row)) continue;
            QString levels;
            for (int step = 1; step <= p.columns(); ++step)
                levels += QString::number(p.level(step, row));
            parts << p.instruments()[row - 1].tag + ':' + levels;
        }
        for (const int note : result.unassigned) parts << '!' + QString::number(note);
        if (result.cut) parts << QStringLiteral("cut");
        return parts.join(' ');
    }

private slots:
    void read_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QByteArray& bytes, const QString& expected) {
            QTest::newRow(name) << bytes << expected;
        };
        // Quarter notes; running status; the end of the track rounds up to a whole bar.
        row("quarters, running status", file(0, {"00992464 60267F 00897F40"}),
            "4/4 1x4 120bpm 36:2000 38:0300");
        row("sixteenths, note on 0 ends a note",
            file(0, {"00992A50 182A00 002A50 182A00 002A50 182A00 002A50 182A00"}),
            "4/4 4x16 120bpm 42:2222000000000000");
        row("format 1: tempo, meter, a later tempo change ignored",
            file(1, {"00FF51030F4240 00FF580403020818 8100FF51030493E0", "00992440 20992440"}),
            "3/4 3x9 60bpm 36:110000000");
        row("triplets", file(0, {"00992A7F 202A7F 202A7F"}), "4/4 3x12 120bpm 42:333000000000");
        row("no drum channel: the busiest one", file(0, {"00902664 00912464 00902664"}),
            "4/4 1x4 120bpm 38:2000");
        row("velocities and notes without a row",
            file(0, {"0099263C 6099264A 6099266F 00993C70 00993D01"}),
            "4/4 1x4 120bpm 38:1230 !60 !61");
        row("a file longer than the pattern", file(0, {"00992464 81C060992464"}),
            "4/4 1x256 120bpm 36:2" + QString(255, '0') + " cut");
        row("no MIDI file", "RIFF", "keine MIDI-Datei");
        row("format 2", file(2, {}), "MIDI-Format 2 wird nicht unterstützt");
        row("SMPTE time", file(0, {}, 0xE728), "SMPTE-Zeitbasis wird nicht unterstützt");
        row("a track longer than the file", file(0, {"00992464"}).chopped(3),
            "Spur kürzer als angegeben");
        row("data before any status", file(0, {"002464"}), "Daten ohne Statusbyte");
        row("a delta of five bytes", file(0, {"8080808000992464"}), "Längenangabe über vier Bytes");
        row(
            "a missing track",
            [] {
                QByteArray bytes = file(0, {});
                bytes[11] = 2;
                return bytes;
            }(),
            "Spur fehlt");
    }
    void read() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QString error;
        const auto result = MidiImport::fromBytes(bytes, rows(), QStringLiteral("x"), &error);
        QCOMPARE(result ? reading(*result) : error, expected);
    }

    // A pattern exported by this program reads back as the same pattern.
    void exportReadsBack_data() {
        QTest::addColumn<QString>("path");
        for (const char* name : {"Std.drm", "StdFill.drm"})
            QTest::newRow(name) << QStringLiteral(BEATLOFT_DATA "/") + name;
        QTest::newRow("triplets") << QStringLiteral(BEATLOFT_SEEDS "/triplets.drm");
    }
    void exportReadsBack() {
        QFETCH(QString, path);
        QByteArray bytes;
        QVERIFY(PatternReader::readBytes(path, &bytes));
        Pattern pattern = rows();
        QVERIFY(PatternReader(bytes, false, true).read(&pattern));
        const auto file =
            MidiExport::midiFile(MidiExport::Pattern, pattern, Song(), pattern.name());
        QVERIFY(file);
        QString error;
        const auto result = MidiImport::fromBytes(*file, rows(), {}, &error);
        QVERIFY2(result, qPrintable(error));
        QCOMPARE(result->pattern, pattern);
    }
};

QTEST_MAIN(TstMidiImport)
#include "tst_midiimport.moc"
