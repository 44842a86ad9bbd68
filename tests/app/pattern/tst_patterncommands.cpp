#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "pattern/patterncommands.h"
#include "views/checkarray.h"
#include "views/songgrid.h"
#include "views/taglabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

// Clear, rotate with auto-repeat, standard patterns and play-on-click, through the buttons.
class TstPatternCommands : public QObject {
    Q_OBJECT

    static QWidget* cell(Form1& form, int column, int row) {
        return form.checkArray(column)->childAt(QPoint(6, (row - 1) * 16 + 6));
    }
    static quint32 noteOn(int note, int velocity) { return 0x99u | note << 8 | velocity << 16; }

private slots:
    void rotation_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("before");
        QTest::addColumn<QList<int>>("after");
        QTest::newRow("left") << "ButMoveLeft" << QList<int>{3, 0, 1, 2} << QList<int>{0, 1, 2, 3};
        QTest::newRow("right") << "ButMoveRight" << QList<int>{3, 0, 1, 2}
                               << QList<int>{2, 3, 0, 1};
        QTest::newRow("one column left") << "ButMoveLeft" << QList<int>{2} << QList<int>{2};
        QTest::newRow("one column right") << "ButMoveRight" << QList<int>{2} << QList<int>{2};
        QTest::newRow("no columns") << "ButMoveLeft" << QList<int>{} << QList<int>{};
    }
    void rotation() {
        QFETCH(QString, button);
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, after);
        FormFixture f;
        f.form().txtSpalt->setText(QString::number(before.size()));
        f.setRow(3, before);
        f.setRow(18, before);
        QTest::mouseClick(f.form().findChild<QAbstractButton*>(button), Qt::LeftButton);
        QCOMPARE(f.row(3), after);
        QCOMPARE(f.row(18), after);
        QVERIFY(f.sent().isEmpty());  // rotating sounds nothing
    }

    void clearingKeepsNamesAndSong() {
        FormFixture f;
        Form1& form = f.form();
        form.txtPatNam->setText("Funk");
        form.MSFlexGrid1->setTextMatrix(1, 0, "Intro");
        for (int r = 1; r <= 18; ++r) f.setRow(r, QList<int>(16, r % 4));
        QTest::mouseClick(form.BtnClr, Qt::LeftButton);
        for (int r = 1; r <= 18; ++r) QCOMPARE(f.row(r), QList<int>(16, 0));
        QCOMPARE(form.txtPatNam->text(), QStringLiteral("Funk"));
        QCOMPARE(form.Label(1)->text(), QStringLiteral("Bassdrum"));
        QCOMPARE(form.MSFlexGrid1->textMatrix(1, 0), QStringLiteral("Intro"));
    }

    // Holding a rotate button: the timer's own ticks are fired by hand, one per period.
    void autoRepeat() {
        FormFixture f;
        Form1& form = f.form();
        f.setRow(1, {3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        QTest::mousePress(form.ButMoveRight, Qt::LeftButton);
        QVERIFY(form.tmrRepeatEvent->isActive());
        QCOMPARE(form.tmrRepeatEvent->interval(), 500);
        QCOMPARE(form.RepeatDirection, QStringLiteral("MoveRight"));
        QCOMPARE(f.row(1).indexOf(3), 0);        // nothing yet on the press
        for (int tick = 1; tick <= 3; ++tick) {  // about 0.5 s, 0.75 s and 1.0 s
            f.app().commands().tmrRepeatEvent_Timer();
            QCOMPARE(form.tmrRepeatEvent->interval(), 250);
            QCOMPARE(f.row(1).indexOf(3), tick);
        }
        QTest::mouseRelease(form.ButMoveRight, Qt::LeftButton);  // the click rotates once more
        QVERIFY(!form.tmrRepeatEvent->isActive());
        QCOMPARE(f.row(1).indexOf(3), 4);
    }

    void shortClickRotatesOnce() {
        FormFixture f;
        f.setRow(1, {0, 3});
        QTest::mouseClick(f.form().ButMoveLeft, Qt::LeftButton);
        QCOMPARE(f.row(1).indexOf(3), 0);
        QVERIFY(!f.form().tmrRepeatEvent->isActive());
    }

    void playOnClick() {
        FormFixture f;
        Form1& form = f.form();
        const int note = form.Label(4)->tag().toInt();
        QTest::mouseClick(cell(form, 2, 4), Qt::LeftButton);  // sets 2, sounds at full strength
        QCOMPARE(form.checkArray(2)->value(4), 2);
        QTest::qWait(QApplication::doubleClickInterval() + 50);  // two clicks, not a double click
        QTest::mouseClick(cell(form, 2, 4), Qt::LeftButton);     // clears, still sounds
        QCOMPARE(form.checkArray(2)->value(4), 0);
        const QList<quint32> twice{noteOn(note, 126), noteOn(note, 0)};
        QCOMPARE(f.sent(), twice + twice);

        f.clearSent();
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        // Through the window, so the platform delivers press, release, click and double click.
        QWidget* target = cell(form, 3, 4);
        QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {},
                           target->mapTo(&form, QPoint(6, 6)));
        QCOMPARE(form.checkArray(3)->value(4), 3);
        QCOMPARE(f.sent(), twice + twice);

        f.clearSent();
        form.chkPlayOnClick->setChecked(false);
        QTest::mouseClick(cell(form, 5, 4), Qt::RightButton);
        QVERIFY(f.sent().isEmpty());
    }

    void clicksAreSilentWhileThePatternPlays() {
        FormFixture f;
        Form1& form = f.form();
        QTest::mouseClick(form.BtnPlay, Qt::LeftButton);
        f.clearSent();
        QTest::mouseClick(cell(form, 9, 1), Qt::LeftButton);
        QVERIFY(f.sent().isEmpty());
        QTest::mouseClick(form.BtnPlay, Qt::LeftButton);
        QTest::mouseClick(cell(form, 9, 1), Qt::LeftButton);
        QCOMPARE(f.sent().size(), 2);
    }

    void rowWithoutNoteClicksSilently() {
        FormFixture f;
        f.setInstrumentTag(6, "");
        QTest::mouseClick(cell(f.form(), 1, 6), Qt::LeftButton);
        QCOMPARE(f.form().checkArray(1)->value(6), 2);
        QVERIFY(f.sent().isEmpty());
    }

    void standardPatterns_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("StdPattern") << "cmdLdStd";
        QTest::newRow("StdFill") << "cmdLdStdFill";
    }
    void standardPatterns() {
        QFETCH(QString, button);
        FormFixture f;
        Form1& form = f.form();
        f.setRow(17, QList<int>(16, 1));  // cleared first
        QTest::mouseClick(form.findChild<QAbstractButton*>(button), Qt::LeftButton);
        QVERIFY(f.dialogs().shown().isEmpty());
        QVERIFY(form.MixMode);
        QVERIFY(form.PendingFile.isEmpty());
        QCOMPARE(form.txtSpalt->text(), QStringLiteral("16"));
        int set = 0;
        for (int r = 1; r <= 18; ++r)
            for (int level : f.row(r)) set += level ? 1 : 0;
        QVERIFY(set >= 8);
        QCOMPARE(f.row(17), QList<int>(16, 0));
    }

    void missingStandardPatternLeavesTheGridCleared() {
        FormFixture f;
        f.folder().removeFile("Std.drm");
        f.setRow(1, {3});
        QTest::mouseClick(f.form().cmdLdStd, Qt::LeftButton);
        QCOMPARE(f.row(1).value(0), 0);
        QVERIFY(f.form().MixMode);
        QVERIFY(f.dialogs().shown().isEmpty());
    }

    void buttonsAndTooltip() {
        FormFixture f;
        Form1& form = f.form();
        QCOMPARE(form.BtnClr->text(), QStringLiteral("Clr"));
        QCOMPARE(form.ButMoveLeft->text(), QStringLiteral("<---"));
        QCOMPARE(form.ButMoveRight->text(), QStringLiteral("--->"));
        QCOMPARE(form.cmdLdStd->text(), QStringLiteral("StdPattern"));
        QCOMPARE(form.cmdLdStdFill->text(), QStringLiteral("StdFill"));
        QCOMPARE(form.chkPlayOnClick->text(), QStringLiteral("PlayOnClick"));
        QVERIFY(form.chkPlayOnClick->isChecked());
        QCOMPARE(form.chkPlayOnClick->toolTip(),
                 QStringLiteral("Soll beim anklciken einer Note diese gleich gespielt werden?"));
    }
};

QTEST_MAIN(TstPatternCommands)
#include "tst_patterncommands.moc"
