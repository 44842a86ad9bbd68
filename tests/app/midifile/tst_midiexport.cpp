#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "midifile.h"
#include "midifile/smfbuilder.h"
#include "shared/windowscodepage.h"
#include "shell/maincommands.h"
#include "song/song.h"
#include "song/songcodec.h"
#include "song/songlist.h"
#include "views/mainmenubar.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include <sys/resource.h>
#include <cmath>
#include <csignal>

// MIDI export through the window's toolbar, and from the command line by the program itself.
class TstMidiExport : public QObject {
    Q_OBJECT

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void window_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("bpm");
        QTest::addColumn<QString>("saveAs");   // the dialog's answer; "-": no dialog
        QTest::addColumn<QString>("message");  // PATH stands for the chosen file
        const auto row = [](const char* name, const char* key, const char* bpm, const char* saveAs,
                            const char* message) {
            QTest::newRow(name) << QString(key) << QString(bpm) << QString(saveAs)
                                << QString(message);
        };
        row("pattern", "TSaveMidiPat", "100", "out.mid", "");
        row("song", "TSaveMidiSong", "100", "out.mid", "");
        row("cancelled", "TSaveMidiSong", "100", "", "");
        row("tempo 0", "TSaveMidiPat", "0", "-",
            "Tempo und SubDivs ergeben keine gültige MIDI-Datei.");
        row("write fails", "TSaveMidiPat", "100", "keep.mid",
            "Die MIDI-Datei konnte nicht gespeichert werden:\nPATH");
    }
    void window() {
        QFETCH(QString, key);
        QFETCH(QString, bpm);
        QFETCH(QString, saveAs);
        QFETCH(QString, message);
        FormFixture f;
        Form1& form = f.form();
        form.txtPatNam->setText("Groove");
        form.txtTakt->setText("1");
        form.txtBPM->setText(bpm);
        f.setRow(1, {3, 0, 1, 0});
        f.app().songList().cmdAddPatt_Click();  // the pattern is the song's first row
        f.folder().writeFile("keep.mid", "old");
        const QString path = saveAs.isEmpty() ? saveAs : f.folder().filePath(saveAs);
        if (saveAs != "-") f.dialogs().answerSaveFile(path);
        if (!message.isEmpty()) f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        // A file size limit stops the write of keep.mid short, as a full disk does.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{saveAs == "keep.mid" ? 64 : saved.rlim_cur, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        f.app().mainCommands().Toolbar1_ButtonClick(key);
        setrlimit(RLIMIT_FSIZE, &saved);

        QCOMPARE(f.dialogs().messageTexts().join("|"), QString(message).replace("PATH", path));
        const QString name = key == "TSaveMidiPat" ? "Groove" : "SongNam";
        const sys::FileRequest dialog = f.dialogs().shown().value(0).file;
        if (saveAs != "-")
            QCOMPARE(QStringList({dialog.title, dialog.fileName, dialog.defaultExt, dialog.filter}),
                     QStringList({"Pattern als Midi (Format1) speichern",
                                  form.DataPath + "/" + name + ".mid", ".mid",
                                  "Midi (.mid)|*.mid|Alle Dateien|*.*"}));
        const SmfSettings settings{name, 1, 4, 4, 100};
        const QByteArray built =
            name == "Groove" ? *SmfBuilder::exportPattern(settings, {{36}, {{3}, {0}, {1}, {0}}})
                             : *SmfBuilder::exportSong(settings, f.song().store, 2);
        QCOMPARE(readAll(f.folder().filePath("out.mid")), saveAs == "out.mid" ? built : "");
        QCOMPARE(readAll(f.folder().filePath("keep.mid")), QByteArray("old"));
    }

    // A MIDI file imported through the menu shows as the pattern, notes without a row are
    // told, and one undo brings the pattern before it back.
    void importThroughTheMenu() {
        FormFixture f;
        const QString path = f.folder().filePath("in.mid");
        f.folder().writeFile("in.mid", *SmfBuilder::exportPattern({"Import", 4, 4, 1, 90},
                                                                  {{36, 60}, {{3, 2}, {1, 0}}}));
        f.setRow(1, {0, 2, 2, 2});
        f.dialogs().answerOpenFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.form().Menus->MnuImportMidi->trigger();
        QCOMPARE(f.dialogs().messageTexts(), QStringList{"Nicht zugeordnete Noten: 60"});
        QCOMPARE(f.form().txtPatNam->text() + f.form().txtBPM->text(), QString("Import90"));
        QCOMPARE(f.row(1), QList<int>({3, 1}));
        f.form().Menus->MnuUndo->trigger();
        QCOMPARE(f.row(1).mid(0, 4), QList<int>({0, 2, 2, 2}));
    }

    // A name the code page cannot hold is exported with '?' and said once, after the write.
    void nameOutsideTheCodePage() {
        FormFixture f;
        f.form().txtPatNam->setText(QString::fromUtf8("Schnee ☃"));
        const QString path = f.folder().filePath("out.mid");
        f.dialogs().answerSaveFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        f.app().mainCommands().Toolbar1_ButtonClick("TSaveMidiPat");
        QCOMPARE(f.dialogs().messageTexts(), QStringList{lostCharactersText()});
        QCOMPARE(MidiFile::read(readAll(path)).meta(0x03), QByteArray("Schnee ?"));
    }

    // Files are read back by a reader of the tests' own: the name and the notes' times.
    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");       // in stderr, or the name exported
        QTest::addColumn<QList<double>>("onsets");  // in seconds
        QTest::newRow("pattern") << QStringList{"beat.drm", "out.mid"} << 0 << "Beat"
                                 << QList<double>{0, 0.25};
        // A row at 90 BPM in triplets, played three times, over the start-up fields' 100 BPM.
        QTest::newRow("song") << QStringList{"Mein Song.dsg", "out.mid"} << 0 << "Mein Song"
                              << QList<double>{0, 0.66667, 1.33333};
        QTest::newRow("too large") << QStringList{"huge.dsg", "out.mid"} << 1
                                   << "ergäben mehr als 32 MiB" << QList<double>();
        QTest::newRow("unreadable") << QStringList{"short.dsg", "out.mid"} << 1
                                    << "62Einlesen hinter Dateiende" << QList<double>();
        QTest::newRow("bad arguments") << QStringList{"x.txt", "out.mid"} << 2
                                       << "--export-midi erwartet ein Pattern (.drm) oder einen "
                                          "Song (.dsg)"
                                       << QList<double>();
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QList<double>, onsets);
        TempProgramFolder dir;
        dir.writeFile("beat.drm",
                      "\"Beat\"\r\nTaktzahl, 1, Taktnenner, 4, SubDivs, 4, BPM, 120\r\n"
                      "\"Bassdrum\",36\r\n 3 , 0 , 1 , 0 ,\r\n");
        dir.writeFile("short.dsg", "Beatloft Version");
        PatternStore song;
        song[1].BPM = 90;
        song[1].SubDivs = song[1].Loops = 3;
        song[1].Takt = 1;
        song[1].Notes[1] = 38;
        song[1].setCell(1, 1, 2);
        dir.writeFile("Mein Song.dsg", SongCodec::encodeSong("Beatloft", song, 1));
        song[1].SubDivs = song[1].Takt = song[1].Loops = 32767;
        dir.writeFile("huge.dsg", SongCodec::encodeSong("Beatloft", song, 1));
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("BEATLOFT_MIDI_BACKENDS");  // the program as installed
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(dir.path());
        program.start(BEATLOFT_BIN, QStringList{"--export-midi"} + arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), exitCode);
        const QString error = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(exitCode ? error.contains(message) : error.isEmpty(), qPrintable(error));
        const MidiFile file = MidiFile::read(readAll(dir.filePath("out.mid")));
        QCOMPARE(QString::fromLatin1(file.meta(0x03)), exitCode ? "" : message);
        QList<double> times;
        for (const MidiEvent& note : file.eventsOf(0x99))
            times << std::round(note.seconds * 1e5) / 1e5;
        QCOMPARE(times, onsets);
    }
};

QTEST_MAIN(TstMidiExport)
#include "tst_midiexport.moc"
