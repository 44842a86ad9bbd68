#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "pattern/patternfile.h"
#include "views/taglabel.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

// The standard patterns beside the program are what the program saves for these beats.
// The shipped files are the reference; a change of the beats is made in both places.
class TstStandardPatterns : public QObject {
    Q_OBJECT

    struct Track {
        int note;
        QList<int> levels;  // 16 steps
    };

    static QByteArray saved(const QString& name, const QList<Track>& tracks) {
        FormFixture f;
        Form1& form = f.form();
        form.txtPatNam->setText(name);
        for (const Track& track : tracks) {
            int row = 0;
            for (int r = 1; r <= 18 && !row; ++r)
                if (form.Label(r)->tag().toInt() == track.note) row = r;
            f.setRow(row, track.levels);
        }
        const QString path = f.folder().filePath(name + ".drm");
        f.dialogs().answerSaveFile(path);
        f.app().patternFile().SavePatternFile();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void check(const QString& fileName, const QByteArray& bytes) {
        const QString shipped = QStringLiteral(BEATLOFT_SOURCE_DATA_DIR "/") + fileName;
        QFile file(shipped);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

private slots:
    void rockBeat() {
        const QByteArray bytes = saved(QStringLiteral("Rock"),
                                       {
                                           {36, {3, 0, 0, 0, 0, 0, 0, 0, 3, 0, 2, 0, 0, 0, 0, 0}},
                                           {38, {0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0}},
                                           {42, {2, 0, 1, 0, 2, 0, 1, 0, 2, 0, 1, 0, 2, 0, 1, 0}},
                                       });
        QVERIFY(
            bytes.startsWith("\"Rock\"\r\nTaktzahl, 4, Taktnenner, 4, SubDivs, 4, BPM, 100\r\n"));
        check(QStringLiteral("Std.drm"), bytes);
    }

    void fill() {
        const QByteArray bytes = saved(QStringLiteral("Fill"),
                                       {
                                           {36, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 3}},
                                           {38, {3, 1, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                                           {50, {0, 0, 0, 0, 3, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                                           {48, {0, 0, 0, 0, 0, 0, 0, 3, 2, 2, 0, 0, 0, 0, 0, 0}},
                                           {45, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 0, 0, 0, 0}},
                                           {43, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 3, 0}},
                                       });
        check(QStringLiteral("StdFill.drm"), bytes);
    }
};

QTEST_MAIN(TstStandardPatterns)
#include "tst_standardpatterns.moc"
