#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "midifile/midiexport.h"
#include "pattern/patternfile.h"
#include "shared/steptimer.h"
#include "shell/quitguard.h"
#include "shell/recentfiles.h"
#include "song/songfile.h"
#include "views/checkarray.h"
#include "views/mainmenubar.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QWindow>

using Answer = sys::MessageAnswer;

// The modified state of the pattern and the song, the title that shows it, the question
// before work is lost, the files last used and the folders the dialogs start in.
class TstUnsavedWork : public QObject {
    Q_OBJECT

    // A program started on the pattern file Groove.drm of its own folder.
    static void startOnGroove(FormFixture& f) {
        f.folder().writeFile("Groove.drm",
                             "\"Groove\"\r\nTaktzahl, 4, Taktnenner, 4, SubDivs, 4, BPM, 100\r\n");
        f.start('"' + f.folder().filePath("Groove.drm") + '"');
    }
    static void editPattern(FormFixture& f) {
        QTest::mouseClick(f.form().checkArray(1)->childAt(QPoint(6, 6)), Qt::LeftButton);
    }
    static void editSong(FormFixture& f) { QTest::mouseClick(f.form().cmdAddPatt, Qt::LeftButton); }
    static void undo(FormFixture& f) { f.form().Menus->MnuUndo->trigger(); }
    static QString title(FormFixture& f) { return f.form().windowHandle()->title(); }

private slots:
    // What each way out does with an edited pattern or song and each answer.
    void endingTheProgram_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("pattern");  // edited
        QTest::addColumn<bool>("song");
        QTest::addColumn<bool>("undone");  // the edits undone before ending
        QTest::addColumn<int>("answer");   // 0: no question expected
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("playing");  // afterwards
        const int save = int(Answer::Save), discard = int(Answer::Discard);
        const int cancel = int(Answer::Cancel);
        QTest::newRow("unmodified") << "close" << false << false << false << 0 << true << false;
        QTest::newRow("undone") << "close" << true << true << true << 0 << true << false;
        QTest::newRow("Abbrechen") << "close" << true << false << false << cancel << false << true;
        QTest::newRow("Verwerfen") << "close" << true << false << false << discard << true << false;
        QTest::newRow("Speichern") << "close" << true << false << false << save << true << false;
        QTest::newRow("song Speichern")
            << "close" << false << true << false << save << true << false;
        QTest::newRow("both Speichern")
            << "close" << true << true << false << save << true << false;
        QTest::newRow("Ende Abbrechen")
            << "Ende" << true << false << false << cancel << false << true;
        QTest::newRow("End Verwerfen")
            << "End" << false << true << false << discard << true << false;
        QTest::newRow("End Abbrechen")
            << "End" << true << false << false << cancel << false << true;
        QTest::newRow("session Abbrechen")
            << "session" << true << false << false << cancel << false << true;
        QTest::newRow("session Verwerfen")
            << "session" << false << true << false << discard << true << true;
    }
    void endingTheProgram() {
        QFETCH(QString, way);
        QFETCH(bool, pattern);
        QFETCH(bool, song);
        QFETCH(bool, undone);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        QFETCH(bool, playing);
        FormFixture f({}, false);
        startOnGroove(f);
        if (pattern) editPattern(f);
        if (song) editSong(f);
        if (undone) undo(f), undo(f);
        QTest::mouseClick(f.form().BtnPlay, Qt::LeftButton);
        const QString patternOut = f.folder().filePath("saved.drm");
        const QString songOut = f.folder().filePath("saved.dsg");
        if (way == "End") f.dialogs().answerMessage(Answer::Ok);
        if (answer) f.dialogs().answerMessage(Answer(answer));
        if (answer == int(Answer::Save) && pattern) f.dialogs().answerSaveFile(patternOut);
        if (answer == int(Answer::Save) && song) f.dialogs().answerSaveFile(songOut);

        bool ended = false;
        if (way == "close") ended = f.form().close();
        if (way == "Ende") f.form().Menus->MnuEnd->trigger();
        if (way == "End") QTest::mouseClick(f.form().Command1, Qt::LeftButton);
        if (way == "session") ended = f.app().quitGuard().sessionEnding(true);
        if (way == "Ende" || way == "End") ended = !f.form().isVisible();

        QCOMPARE(ended, ends);
        QCOMPARE(f.timer().isEnabled(), playing);
        QCOMPARE(f.dialogs().unusedAnswers(), 0);
        QStringList questions;  // the boxes with Speichern, Verwerfen, Abbrechen
        for (const auto& shown : f.dialogs().shown())
            if (shown.buttons == sys::MessageButtons::SaveDiscardCancel) questions << shown.text;
        QCOMPARE(questions.size(), answer ? 1 : 0);
        const QString question = questions.value(0);
        QVERIFY(!answer || question.startsWith("Änderungen speichern?"));
        QCOMPARE(question.contains("Pattern „Groove“"), answer && pattern);
        QCOMPARE(question.contains("Song „SongNam“"), answer && song);
        QCOMPARE(QFile::exists(patternOut), answer == int(Answer::Save) && pattern);
        QCOMPARE(QFile::exists(songOut), answer == int(Answer::Save) && song);
    }

    void title_data() {
        QTest::addColumn<bool>("patternFile");
        QTest::addColumn<bool>("songFile");
        QTest::addColumn<QString>("edits");  // p: pattern, s: song, u: undo
        QTest::addColumn<QString>("title");
        QTest::newRow("no file") << false << false << ""
                                 << "Beatloft";
        QTest::newRow("no file, modified") << false << false << "p"
                                           << "Beatloft*";
        QTest::newRow("pattern file") << true << false << ""
                                      << "Groove.drm – Beatloft";
        QTest::newRow("pattern modified") << true << false << "p"
                                          << "Groove.drm* – Beatloft";
        QTest::newRow("undone") << true << false << "pu"
                                << "Groove.drm – Beatloft";
        QTest::newRow("song saved") << true << true << ""
                                    << "Groove.drm, Set.dsg – Beatloft";
        QTest::newRow("pattern modified, song saved") << true << true << "p"
                                                      << "Groove.drm*, Set.dsg – Beatloft";
        QTest::newRow("song modified") << true << true << "s"
                                       << "Groove.drm, Set.dsg* – Beatloft";
    }
    void title() {
        QFETCH(bool, patternFile);
        QFETCH(bool, songFile);
        QFETCH(QString, edits);
        QFETCH(QString, title);
        FormFixture f({}, false);
        if (patternFile)
            startOnGroove(f);
        else
            f.start();
        if (songFile) {
            f.dialogs().answerSaveFile(f.folder().filePath("Set.dsg"));
            f.app().songFile().MnuSaveSong_Click();
        }
        for (const QChar edit : edits) {
            if (edit == 'p') editPattern(f);
            if (edit == 's') editSong(f);
            if (edit == 'u') undo(f);
        }
        QCOMPARE(this->title(f), title);
        QCOMPARE(f.form().isWindowModified(), edits.size() == 1);
    }

    void recentFilesAcrossStarts() {
        FormFixture f({}, false);
        startOnGroove(f);
        const QString song = f.folder().filePath("Set.dsg");
        f.dialogs().answerSaveFile(song);
        f.app().songFile().MnuSaveSong_Click();
        f.restart();
        QMenu* menu = f.form().Menus->MnuRecent;
        QCOMPARE(menu->title(), QStringLiteral("Zuletzt geöffnet"));
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("&1 Set.dsg"));
        QCOMPARE(menu->actions()[1]->toolTip(), f.folder().filePath("Groove.drm"));
        menu->actions()[1]->trigger();  // the pattern opens, one undo step
        QCOMPARE(f.form().txtPatNam->text(), QStringLiteral("Groove"));
        QCOMPARE(title(f), QStringLiteral("Groove.drm – Beatloft"));
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("&1 Groove.drm"));
        QFile::remove(song);
        f.dialogs().answerMessage(Answer::Ok);
        menu->actions()[1]->trigger();
        QVERIFY(f.dialogs().messageTexts().last().contains("Set.dsg"));
        QCOMPARE(f.app().recentFiles().files(), QStringList{f.folder().filePath("Groove.drm")});
        for (int i = 0; i < 10; ++i)
            f.app().recentFiles().add(f.folder().filePath(QString("%1.drm").arg(i)));
        QCOMPARE(menu->actions().size(), RecentFiles::kCount);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("&1 9.drm"));
    }

    // Each kind of dialog starts where that kind was last chosen, the data folder before.
    void dialogsRememberTheirFolder() {
        FormFixture f;
        const QString patterns = f.folder().filePath("patterns");
        const QString exports = f.folder().filePath("exports");
        QDir().mkpath(patterns);
        QDir().mkpath(exports);
        f.form().txtPatNam->setText("Groove");
        f.dialogs().answerSaveFile(patterns + "/Groove.drm");
        f.dialogs().answerSaveFile(exports + "/Groove.mid");
        f.dialogs().answerOpenFile({});
        f.dialogs().answerOpenFile({});
        f.dialogs().answerSaveFile({});
        f.app().patternFile().SavePatternFile();
        f.app().midiExport().MnuSavMidi_Click();
        f.app().patternFile().LoadPatternFile();
        f.app().songFile().MnuLoadSong_Click();
        f.app().midiExport().MnuSavMidi_Click();
        const auto& shown = f.dialogs().shown();
        QCOMPARE(shown[2].file.fileName, patterns + "/*.drm");
        QCOMPARE(shown[3].file.fileName, f.form().DataPath + "/*.dsg");
        QCOMPARE(shown[4].file.fileName, exports + "/Groove.mid");
    }
};

QTEST_MAIN(TstUnsavedWork)
#include "tst_unsavedwork.moc"
