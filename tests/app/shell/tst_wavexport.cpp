#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "shell/wavexport.h"
#include "views/checkarray.h"
#include "views/mainmenubar.h"
#include "views/taglabel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// WAV files written from the window's menu: the same bytes as the command line's render,
// and a cancelled render leaves the file it would have replaced.
class TstWavExport : public QObject {
    Q_OBJECT

    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A song of two rows: 120 BPM, 4 steps a beat, 4 beats, two loops, the bass drum on the
    // steps given; then 90 BPM, 3 steps a beat, 3 beats, one loop.
    static void writeSong(const QString& path) {
        QByteArray bytes = QByteArray(30, ' ') + char(2) + '\0';
        const struct {
            int bpm, stepsPerBeat, beats, loops;
            QList<int> steps;
        } rows[] = {{120, 4, 4, 2, {1, 5, 9, 13}}, {90, 3, 3, 1, {1, 2, 7}}};
        for (const auto& row : rows) {
            QByteArray record(1041, '\0');
            record[2] = char(row.bpm);
            record[4] = char(row.stepsPerBeat);
            record[6] = char(row.beats);
            record[1031] = char(row.loops);
            for (int step : row.steps) record[70 + step * 31 + 1] = 3;
            bytes += record;
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

private slots:
    void songEqualsTheCommandLineRender() {
        QTemporaryDir dir;
        const QString song = dir.filePath("song.dsg");
        writeSong(song);
        FormFixture f('"' + song + '"');
        f.dialogs().answerSaveFile(dir.filePath("window.wav"));
        f.form().Menus->MnuWavSong->trigger();
        QCOMPARE(f.dialogs().messageTexts(), QStringList());

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("BEATLOFT_MIDI_BACKENDS");
        program.setProcessEnvironment(env);
        program.start(BEATLOFT_BIN, {"--render-wav", song, dir.filePath("cli.wav")});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        const QByteArray window = contents(dir.filePath("window.wav"));
        QVERIFY(window.size() > 44100 * 4);
        QVERIFY(window == contents(dir.filePath("cli.wav")));
    }

    // A row muted from its label's menu is not in the take.
    void mutedRowsAreLeftOut() {
        FormFixture f;
        f.form().checkArray(1)->setValue(1, 3);
        f.form().checkArray(5)->setValue(2, 3);
        f.form().Label(2)->actions().value(0)->trigger();  // "Stumm"
        const auto take = f.app().wavExport().take(WavExport::Pattern);
        QVERIFY(take);
        QList<int> notes;
        for (const midi::TimedMessage& m : take->messages) notes << int(m.message >> 8 & 0x7f);
        QCOMPARE(notes, (QList<int>{36, 36}));
    }

    void cancelledAtHalfKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("take.wav");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old take") == 8);
        old.close();
        FormFixture f;
        f.form().txtBPM->setText("1");  // four minutes, a chord on every step
        for (int step = 1; step <= 16; ++step)
            for (int row = 0; row < 12; ++row) f.form().checkArray(step)->setValue(row, 3);
        f.dialogs().answerSaveFile(path);
        int cancelledAt = -1;
        connect(&f.app().wavExport(), &WavExport::progressShown, this, [&](int percent) {
            if (percent < 50 || cancelledAt >= 0) return;
            cancelledAt = percent;
            auto* dialog = f.form().findChild<QProgressDialog*>();
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        });
        f.form().Menus->MnuWavPattern->trigger();
        QVERIFY(cancelledAt >= 50 && cancelledAt < 100);
        QCOMPARE(contents(path), QByteArray("old take"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"take.wav"});
        QCOMPARE(f.dialogs().messageTexts(), QStringList());
    }
};

QTEST_MAIN(TstWavExport)
#include "tst_wavexport.moc"
