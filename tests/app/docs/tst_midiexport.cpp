#include "beatloft.h"
#include "docs/midiexport.h"
#include "docs/smfbuilder.h"
#include "form1.h"
#include "formfixture.h"
#include "midifile.h"
#include "shell/maincommands.h"
#include "song/songlist.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <sys/resource.h>
#include <csignal>

// Exporting the pattern and the song through the window's menu: the save dialog, the file
// it writes, and what happens when the export is impossible, cancelled or cannot be written.
class TstMidiExport : public QObject {
    Q_OBJECT

    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // One bar of four steps at 100 BPM: bass drum strong on 1 and light on 3, closed hi-hat
    // normal on 2; it also becomes the song's only row.
    static void prepare(FormFixture& f) {
        f.form().txtPatNam->setText("Groove");
        f.form().txtTakt->setText("1");
        f.setRow(1, {3, 0, 1, 0});
        f.setRow(5, {0, 2, 0, 0});
        f.app().songList().cmdAddPatt_Click();
    }

private slots:
    void exportsThroughTheMenu_data() {
        QTest::addColumn<bool>("song");
        QTest::addColumn<QString>("name");
        QTest::newRow("pattern") << false << "Groove";
        QTest::newRow("song") << true << "SongNam";
    }
    void exportsThroughTheMenu() {
        QFETCH(bool, song);
        QFETCH(QString, name);
        FormFixture f;
        Form1& form = f.form();
        prepare(f);
        const QString path = f.folder().filePath("out.mid");
        f.dialogs().answerSaveFile(path);
        (song ? form.MnuSavMidiSong : form.MnuSavMidi)->trigger();

        QCOMPARE(f.dialogs().shown().size(), 1);
        const sys::FileRequest& dialog = f.dialogs().shown().constFirst().file;
        QCOMPARE(dialog.title, QStringLiteral("Pattern als Midi (Format1) speichern"));
        QCOMPARE(dialog.fileName, form.DataPath + "/" + name + ".mid");
        QCOMPARE(dialog.defaultExt, QStringLiteral(".mid"));
        QCOMPARE(dialog.filter, QStringLiteral("Midi (.mid)|*.mid|Alle Dateien|*.*"));

        const QByteArray bytes = readAll(path);
        const SmfSettings settings{name, 1, 4, 4, 100};
        QCOMPARE(bytes,
                 song
                     ? SmfBuilder::exportSong(settings, form.PatternStore, 2)
                     : SmfBuilder::exportPattern(
                           settings,
                           {{36, 38, 37, 39, 42},
                            {{3, 0, 0, 0, 0}, {0, 0, 0, 0, 2}, {1, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}}));
        const MidiFile file = MidiFile::read(bytes);
        QVERIFY(file.valid);
        QCOMPARE(file.meta(0x03), name.toLatin1());
        const QList<MidiEvent> notes = file.eventsOf(0x99);
        QCOMPARE(notes.size(), 3);
        const int expected[][3] = {{36, 127, 0}, {42, 95, 150}, {36, 63, 300}};  // ms
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(int(notes[i].data[0]), expected[i][0]);
            QCOMPARE(int(notes[i].data[1]), expected[i][1]);
            QVERIFY(qAbs(notes[i].seconds * 1000 - expected[i][2]) < 1e-6);
        }
    }

    void nothingWritten_data() {
        QTest::addColumn<QString>("bpm");
        QTest::addColumn<QString>("subdivs");
        QTest::addColumn<bool>("asked");  // the save dialog is shown (and cancelled)
        QTest::newRow("cancelled") << "100"
                                   << "4" << true;
        QTest::newRow("tempo 0") << "0"
                                 << "4" << false;
        QTest::newRow("steps per beat empty") << "100"
                                              << "" << false;
        QTest::newRow("tempo beyond 3 bytes") << "3"
                                              << "4" << false;
    }
    void nothingWritten() {
        QFETCH(QString, bpm);
        QFETCH(QString, subdivs);
        QFETCH(bool, asked);
        FormFixture f;
        f.form().txtBPM->setText(bpm);
        f.form().txtSubdivs->setText(subdivs);
        for (const char* key : {"TSaveMidiPat", "TSaveMidiSong"}) {
            f.dialogs().clear();
            if (asked)
                f.dialogs().answerSaveFile(QString());
            else
                f.dialogs().answerMessage(sys::MessageAnswer::Ok);
            f.app().mainCommands().Toolbar1_ButtonClick(key);
            QCOMPARE(f.dialogs().shown().size(), 1);
            const ScriptedDialogs::Shown& shown = f.dialogs().shown().constFirst();
            QCOMPARE(shown.kind,
                     asked ? ScriptedDialogs::Kind::SaveFile : ScriptedDialogs::Kind::Message);
            if (!asked)
                QCOMPARE(shown.text,
                         QStringLiteral("Tempo und SubDivs ergeben keine gültige MIDI-Datei."));
        }
        QVERIFY(QDir(f.form().DataPath).entryList(QDir::Files).isEmpty());
    }

    // A file size limit stops the write short, as a full disk does, even for root.
    void failedWriteKeepsTheOldFile() {
        FormFixture f;
        const QString path = f.folder().filePath("keep.mid");
        f.folder().writeFile("keep.mid", "old contents");
        f.dialogs().answerSaveFile(path);
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const rlimit limit{64, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        f.form().MnuSavMidi->trigger();
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(readAll(path), QByteArray("old contents"));
        const ScriptedDialogs::Shown& box = f.dialogs().shown().constLast();
        QCOMPARE(box.text, "Die MIDI-Datei konnte nicht gespeichert werden:\n" + path);
        QCOMPARE(box.title, QStringLiteral("Beatloft"));
        QCOMPARE(box.icon, sys::MessageIcon::Critical);
    }
};

QTEST_MAIN(TstMidiExport)
#include "tst_midiexport.moc"
