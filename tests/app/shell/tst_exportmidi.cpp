#include "docs/smfbuilder.h"
#include "docs/songcodec.h"
#include "midifile.h"
#include "shared/patternstore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Patterns and songs exported as MIDI files by the program run from the command line.
class TstExportMidi : public QObject {
    Q_OBJECT

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // One bar of four steps; the bass drum strong on 1 and light on 3.
    static QByteArray patternFile(const char* bpm) {
        return QByteArray("\"Beat\"\r\nTaktzahl, 1, Taktnenner, 4, SubDivs, 4, BPM, ") + bpm +
               "\r\n\"Bassdrum\",36\r\n 3 , 0 , 1 , 0 ,\r\n";
    }

    // A song of one row of triplets at 90 BPM, played twice, with a snare on its first step.
    static PatternStore song() {
        PatternStore store;
        StoredPattern& row = store[1];
        row.BPM = 90;
        row.SubDivs = 3;
        row.Takt = 1;
        row.Loops = 2;
        row.Notes[1] = 38;
        row.setCell(1, 1, 2);
        return store;
    }

private slots:
    void run_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");       // in stderr; none: stderr stays empty
        QTest::addColumn<QByteArray>("output");     // the file written; none: no file
        QTest::addColumn<QList<double>>("onsets");  // its notes in seconds, read back
        const auto row = [](const char* name, const QStringList& arguments, int exitCode,
                            const QString& message, const QByteArray& output = {},
                            const QList<double>& onsets = {}) {
            QTest::newRow(name) << arguments << exitCode << message << output << onsets;
        };
        const QString failed = "Die MIDI-Datei konnte nicht gespeichert werden";
        row("pattern", {"--export-midi", "BEAT", "OUT"}, 0, "",
            *SmfBuilder::exportPattern({"Beat", 1, 4, 4, 120}, {{36}, {{3}, {0}, {1}, {0}}}),
            {0, 0.25});
        row("song at the start-up fields", {"--export-midi", "SONG", "OUT"}, 0, "",
            *SmfBuilder::exportSong({"Mein Song", 4, 4, 4, 100}, song(), 1), {0, 2.0 / 3});
        row("missing pattern", {"--export-midi", "NONE.drm", "OUT"}, 1,
            "Pattern kann nicht gelesen werden");
        row("missing song", {"--export-midi", "NONE.dsg", "OUT"}, 1, "53Datei nicht gefunden");
        row("truncated song", {"--export-midi", "SHORT", "OUT"}, 1, "62Einlesen hinter Dateiende");
        row("tempo 0", {"--export-midi", "SLOW", "OUT"}, 1,
            "Tempo und SubDivs ergeben keine gültige MIDI-Datei.");
        row("folder missing", {"--export-midi", "BEAT", "NONE/x.mid"}, 1, failed);
        row("folder as target", {"--export-midi", "BEAT", "DIR"}, 1, failed);
        row("missing output", {"--export-midi", "BEAT"}, 2, "fehlender Wert für --export-midi");
        row("neither pattern nor song", {"--export-midi", "x.txt", "OUT"}, 2,
            "--export-midi erwartet ein Pattern (.drm) oder einen Song (.dsg)");
        row("unknown option", {"--export-midi", "BEAT", "OUT", "--fast"}, 2,
            "unbekannte Option: --fast");
    }
    void run() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QByteArray, output);
        QFETCH(QList<double>, onsets);
        QTemporaryDir dir;
        write(dir.filePath("beat.drm"), patternFile("120"));
        write(dir.filePath("slow.drm"), patternFile("0"));
        write(dir.filePath("Mein Song.dsg"), SongCodec::encodeSong("Beatloft", song(), 1));
        write(dir.filePath("short.dsg"), "Beatloft Version");
        QDir(dir.path()).mkdir("folder");
        const QStringList named{"BEAT",          "beat.drm", "SLOW",      "slow.drm", "SONG",
                                "Mein Song.dsg", "SHORT",    "short.dsg", "OUT",      "out.mid",
                                "NONE",          "none",     "DIR",       "folder"};
        for (qsizetype i = 0; i < named.size(); i += 2)
            arguments.replaceInStrings(named[i], dir.filePath(named[i + 1]));

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("BEATLOFT_MIDI_BACKENDS");  // the program as installed
        program.setProcessEnvironment(env);
        program.start(BEATLOFT_BIN, arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(message.isEmpty() ? error.isEmpty() : error.contains(message), qPrintable(error));

        QFile file(dir.filePath("out.mid"));
        QCOMPARE(file.open(QIODevice::ReadOnly), !output.isEmpty());
        if (output.isEmpty()) return;
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes, output);
        const MidiFile midi = MidiFile::read(bytes);
        QVERIFY(midi.valid);
        QCOMPARE(midi.meta(0x03), QByteArray(arguments[1].endsWith(".drm") ? "Beat" : "Mein Song"));
        const QList<MidiEvent> notes = midi.eventsOf(0x99);
        QCOMPARE(notes.size(), onsets.size());
        for (qsizetype i = 0; i < notes.size(); ++i)
            QVERIFY(qAbs(notes[i].seconds - onsets[i]) < 1e-6);
    }
};

QTEST_GUILESS_MAIN(TstExportMidi)
#include "tst_exportmidi.moc"
