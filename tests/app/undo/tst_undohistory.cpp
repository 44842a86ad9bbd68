#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "pattern/patterncommands.h"
#include "shared/steptimer.h"
#include "song/song.h"
#include "song/songlist.h"
#include "system/twipsgeometry.h"
#include "undo/undohistory.h"
#include "views/checkarray.h"
#include "views/mainmenubar.h"
#include "views/songgrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <functional>

using Edit = std::function<void(FormFixture&)>;
Q_DECLARE_METATYPE(Edit)

// Undo and redo of the pattern's and the song's edits, made through the real views.
class TstUndoHistory : public QObject {
    Q_OBJECT

    static QWidget* cell(Form1& form, int column, int row) {
        return form.checkArray(column)->childAt(QPoint(6, (row - 1) * 16 + 6));
    }
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    // What an edit may change on screen: every level, the fields, the columns, the widths.
    static QStringList screen(Form1& form) {
        QStringList s;
        for (QLineEdit* field : {form.txtTakt, form.txtTNen, form.txtSubdivs, form.txtSpalt,
                                 form.txtBPM, form.txtPatNam})
            s << field->objectName() + '=' + field->text();
        s << QStringLiteral("columns %1, window %2, frame %3")
                 .arg(form.checkArrayCount() - 1)
                 .arg(form.formWidth())
                 .arg(sys::TwipsGeometry::of(form.Frame1).width());
        for (int c = 1; c < form.checkArrayCount(); ++c) {
            QString levels = QStringLiteral("step %1:").arg(c);
            for (int level : form.checkArray(c)->levels()) levels += ' ' + QString::number(level);
            s << levels;
        }
        return s;
    }
    static void undo(Form1& form) { form.Menus->MnuUndo->trigger(); }
    static void redo(Form1& form) { form.Menus->MnuRedo->trigger(); }
    static int steps(FormFixture& f) { return f.app().undoHistory().stack().count(); }
    // Levels in every cell, no row repeating after a few steps, so any lost or moved level
    // shows (a rotation by four steps is no edit of a row that repeats every four).
    static void fill(FormFixture& f) {
        for (int r = 1; r <= f.form().rowCount(); ++r) {
            QList<int> levels;
            for (int c = 1; c <= 16; ++c) levels << (c * 7 / 5 + r) % 4;
            f.setRow(r, levels);
        }
    }

private slots:
    // Each edit is one step: undone, the screen is exactly as before; redone, as after.
    void edits_data() {
        QTest::addColumn<Edit>("edit");
        const auto click = [](int c, int r, Qt::MouseButton button) {
            return [=](FormFixture& f) { QTest::mouseClick(cell(f.form(), c, r), button); };
        };
        const auto typed = [](QLineEdit* Form1::*field, const QString& text) {
            return [=](FormFixture& f) { type(f.form().*field, text); };
        };
        const auto pressed = [](QAbstractButton* Form1::*button) {
            return [=](FormFixture& f) { QTest::mouseClick(f.form().*button, Qt::LeftButton); };
        };
        QTest::newRow("left click") << Edit(click(5, 2, Qt::LeftButton));
        QTest::newRow("right click") << Edit(click(6, 3, Qt::RightButton));
        QTest::newRow("double click") << Edit([](FormFixture& f) {
            const QWidget* target = cell(f.form(), 7, 5);
            QTest::mouseDClick(f.form().windowHandle(), Qt::LeftButton, {},
                               target->mapTo(&f.form(), QPoint(6, 6)));
        });
        QTest::newRow("Clr") << Edit(pressed(&Form1::BtnClr));
        QTest::newRow("rotate left") << Edit(pressed(&Form1::ButMoveLeft));
        QTest::newRow("rotate right") << Edit(pressed(&Form1::ButMoveRight));
        QTest::newRow("StdPattern") << Edit(pressed(&Form1::cmdLdStd));
        QTest::newRow("StdFill") << Edit(pressed(&Form1::cmdLdStdFill));
        QTest::newRow("open") << Edit([](FormFixture& f) {
            f.dialogs().answerOpenFile(f.folder().filePath("StdFill.drm"));
            f.form().Menus->MnuOpen->trigger();
        });
        QTest::newRow("mix") << Edit([](FormFixture& f) {
            f.dialogs().answerOpenFile(f.folder().filePath("Std.drm"));
            f.dialogs().answerMessage(sys::MessageAnswer::Yes);
            f.form().Menus->MnuMix->trigger();
        });
        QTest::newRow("Takt 12, through 1") << Edit(typed(&Form1::txtTakt, "12"));
        QTest::newRow("Takt 3 after deleting") << Edit([](FormFixture& f) {
            f.form().txtTakt->setFocus();
            f.form().txtTakt->end(false);
            QTest::keyClick(f.form().txtTakt, Qt::Key_Backspace);  // 0 columns
            QTest::keyClicks(f.form().txtTakt, "3");
        });
        QTest::newRow("SubDivs 3") << Edit(typed(&Form1::txtSubdivs, "3"));
        QTest::newRow("Ticks 20") << Edit(typed(&Form1::txtSpalt, "20"));
        QTest::newRow("Taktnenner") << Edit(typed(&Form1::txtTNen, "8"));
        QTest::newRow("BPM") << Edit(typed(&Form1::txtBPM, "140"));
        QTest::newRow("name") << Edit(typed(&Form1::txtPatNam, "Funk"));
    }
    void edits() {
        QFETCH(Edit, edit);
        FormFixture f;
        Form1& form = f.form();
        fill(f);
        const QStringList before = screen(form);
        edit(f);
        const QStringList after = screen(form);
        QVERIFY(after != before);
        QCOMPARE(steps(f), 1);
        f.clearSent();
        undo(form);
        QCOMPARE(screen(form), before);
        redo(form);
        QCOMPARE(screen(form), after);
        QVERIFY(f.sent().isEmpty());  // no click raised, no note played
    }

    void actionsNameTheStep() {
        FormFixture f;
        Form1& form = f.form();
        QVERIFY(!form.Menus->MnuUndo->isEnabled());
        QVERIFY(!form.Menus->MnuRedo->isEnabled());
        QCOMPARE(form.Menus->MnuUndo->text(), QStringLiteral("Rückgängig"));
        QTest::mouseClick(form.BtnClr, Qt::LeftButton);
        QCOMPARE(steps(f), 0);  // nothing to clear: no step
        fill(f);
        QTest::mouseClick(form.BtnClr, Qt::LeftButton);
        QVERIFY(form.Menus->MnuUndo->isEnabled());
        QCOMPARE(form.Menus->MnuUndo->text(), QStringLiteral("Rückgängig: Clr"));
        undo(form);
        QVERIFY(!form.Menus->MnuUndo->isEnabled());
        QVERIFY(form.Menus->MnuRedo->isEnabled());
        QCOMPARE(form.Menus->MnuRedo->text(), QStringLiteral("Wiederholen: Clr"));
        QCOMPARE(form.Menus->MnuUndo->text(), QStringLiteral("Rückgängig"));
        QTest::mouseClick(cell(form, 2, 1), Qt::LeftButton);
        QCOMPARE(form.Menus->MnuUndo->text(), QStringLiteral("Rückgängig: Bassdrum, Schritt 2"));
        QVERIFY(!form.Menus->MnuRedo->isEnabled());  // a new step ends what could be redone
    }

    // The window's keys also from inside the field being typed in, and the playback runs on.
    void keysInAFieldWhilePlaying() {
        FormFixture f;
        Form1& form = f.form();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        fill(f);
        const QStringList before = screen(form);
        QTest::mouseClick(form.BtnPlay, Qt::LeftButton);
        type(form.txtTakt, "12");
        const QStringList after = screen(form);
        QTest::keyClick(form.txtTakt, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(screen(form), before);
        QTest::keyClick(form.txtTakt, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(screen(form), after);
        QTest::keyClick(form.txtTakt, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(form.txtTakt, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(screen(form), after);
        QVERIFY(form.BtnPlay->isChecked());
        QVERIFY(f.timer().isEnabled());
        // Typing after an undo starts a step of its own.
        QTest::keyClick(form.txtTakt, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClicks(form.txtTakt, "5");
        QTest::keyClick(form.txtTakt, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(screen(form), before);
    }

    // Held for three repeats and released: four rotations, one step.
    void autoRepeatRunIsOneStep() {
        FormFixture f;
        Form1& form = f.form();
        fill(f);
        const QStringList before = screen(form);
        QTest::mousePress(form.ButMoveRight, Qt::LeftButton);
        for (int tick = 0; tick < 3; ++tick) f.app().commands().tmrRepeatEvent_Timer();
        QTest::mouseRelease(form.ButMoveRight, Qt::LeftButton);
        QTest::mouseClick(form.ButMoveRight, Qt::LeftButton);  // the next run is a step of its own
        QCOMPARE(steps(f), 2);
        undo(form);
        undo(form);
        QCOMPARE(screen(form), before);
        QCOMPARE(form.Menus->MnuRedo->text(), QStringLiteral("Wiederholen: Pattern nach rechts"));
    }

    void songCutUndone() {
        FormFixture f;
        Form1& form = f.form();
        SongGrid* grid = form.MSFlexGrid1;
        for (const char* name : {"A", "B", "C"}) {
            form.txtPatNam->setText(name);
            grid->setRow(grid->rows() - 1);
            QTest::mouseClick(form.cmdAddPatt, Qt::LeftButton);
        }
        grid->setTextMatrix(2, 1, "7");  // shown as typed, not as stored
        const PatternStore store = f.song().store;
        grid->setRow(2);
        QTest::mouseClick(form.cmdCut, Qt::LeftButton);
        QCOMPARE(grid->textMatrix(2, 0), QStringLiteral("C"));
        QCOMPARE(form.Menus->MnuUndo->text(), QStringLiteral("Rückgängig: Cut"));
        undo(form);
        QCOMPARE(grid->rows(), 5);
        QCOMPARE(grid->textMatrix(2, 0), QStringLiteral("B"));
        QCOMPARE(grid->textMatrix(2, 1), QStringLiteral("7"));
        QCOMPARE(grid->row(), 2);
        QVERIFY(f.song().store == store);
        QVERIFY(form.txtPatClipboard->text().isEmpty());
        QVERIFY(f.app().songList().clipboard() == PatternClipboard());
        redo(form);
        QCOMPARE(grid->rows(), 4);
        QCOMPARE(form.txtPatClipboard->text(), QStringLiteral("B"));
        QCOMPARE(f.song().store[2].Name, QStringLiteral("C"));
    }

    // Editing a stored pattern: committing is undone back into the edit, which is undone too.
    void storedPatternEditUndone() {
        FormFixture f;
        Form1& form = f.form();
        QTest::mouseClick(form.cmdAddPatt, Qt::LeftButton);
        fill(f);
        const QStringList before = screen(form);
        QTest::mouseClick(form.cmdEditPat, Qt::LeftButton);
        QTest::mouseClick(cell(form, 1, 1), Qt::LeftButton);
        QTest::mouseClick(form.cmdEditPat, Qt::LeftButton);  // commit
        const StoredPattern committed = f.song().store[1];
        undo(form);
        QVERIFY(form.cmdEditPat->isChecked());
        QVERIFY(form.cmdCancEd->isVisible());
        QVERIFY(!form.MSFlexGrid1->isEnabled());
        undo(form);
        undo(form);
        QVERIFY(!form.cmdEditPat->isChecked());
        QVERIFY(!form.cmdCancEd->isEnabled());
        QVERIFY(form.MSFlexGrid1->isEnabled());
        QCOMPARE(screen(form), before);
        redo(form);
        redo(form);
        redo(form);
        QVERIFY(f.song().store[1] == committed);
        QVERIFY(!form.cmdEditPat->isChecked());
    }

    // The history keeps its last steps only, however many clicks there were.
    void historyIsBounded() {
        FormFixture f;
        Form1& form = f.form();
        form.chkPlayOnClick->setChecked(false);
        const int clicks = 10000, kept = UndoHistory::kLimit;
        QStringList oldest;
        for (int i = 0; i < clicks; ++i) {
            if (i == clicks - kept) oldest = screen(form);
            QTest::mouseClick(cell(form, 1 + i % 16, 1 + i / 16 % 18), Qt::LeftButton);
        }
        QCOMPARE(steps(f), kept);
        while (form.Menus->MnuUndo->isEnabled()) undo(form);
        QCOMPARE(screen(form), oldest);
    }
};

QTEST_MAIN(TstUndoHistory)
#include "tst_undohistory.moc"
