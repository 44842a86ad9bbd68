#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "hosting/controlwidget.h"
#include "pattern/gridkeyboard.h"
#include "shared/steptimer.h"
#include "tapcell.h"
#include "undo/undohistory.h"
#include "views/checkarray.h"
#include "views/maintoolbar.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

// The grid and the window's views as screen-reader and keyboard users meet them.
class TstGridAccess : public QObject {
    Q_OBJECT

    static Tapcell* cell(Form1& form, int step, int row) {
        return form.checkArray(step)->cell(row);
    }
    static QString nameOf(QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
    }
    static quint32 noteOn(int note, int velocity) { return 0x99u | note << 8 | velocity << 16; }
    static bool activate(Form1& form) {
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }

private slots:
    void cellsAreNamedByRowAndStep_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << 1 << 1 << "Bassdrum, Schritt 1";
        QTest::newRow("snare 5") << 5 << 2 << "Snare, Schritt 5";
        QTest::newRow("last") << 16 << 18 << "Cowbell, Schritt 16";
        QTest::newRow("made later") << 20 << 2 << "Snare, Schritt 20";
    }
    void cellsAreNamedByRowAndStep() {
        QFETCH(int, step);
        QFETCH(int, row);
        QFETCH(QString, name);
        FormFixture f;
        f.form().txtSpalt->setText("20");
        QCOMPARE(nameOf(cell(f.form(), step, row)), name);
        QCOMPARE(nameOf(f.form().checkArray(step)), QStringLiteral("Schritt %1").arg(step));
    }

    void viewsAreNamedByTheirCaptions_data() {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("name");
        const QList<std::pair<const char*, const char*>> rows = {
            {"txtPatNam", "Pattern-Name"},
            {"txtTakt", "Takt"},
            {"txtTNen", "Taktnenner"},
            {"txtSubdivs", "SubDivs"},
            {"txtSpalt", "Ticks"},
            {"txtBPM", "BPM"},
            {"BtnPlay", "Play (Strg+Leertaste)"},
            {"cmdEditPat", "<- Edit"},
            {"cmdPlySng", "Play"},
            {"cmdAddPatt", "Ins Pat ->"},
            {"MSFlexGrid1", "Song"},
            {"txtSongNam", "Song-Name"},
            {"txtPatClipboard", "ClipBoard"}};
        for (const auto& [view, name] : rows) QTest::newRow(view) << view << name;
    }
    void viewsAreNamedByTheirCaptions() {
        QFETCH(QString, view);
        QFETCH(QString, name);
        FormFixture f;
        QCOMPARE(nameOf(f.form().findChild<QWidget*>(view)), name);
    }

    // The same events as the mouse: the click rule, Click with the row, play-on-click.
    void spaceClicksByTheRule_data() {
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("Space on off") << Qt::KeyboardModifiers() << 0 << 2;
        QTest::newRow("Space on strong") << Qt::KeyboardModifiers() << 3 << 0;
        QTest::newRow("Shift+Space on off") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0 << 1;
        QTest::newRow("Shift+Space on strong")
            << Qt::KeyboardModifiers(Qt::ShiftModifier) << 3 << 2;
    }
    void spaceClicksByTheRule() {
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, before);
        QFETCH(int, after);
        FormFixture f;
        Form1& form = f.form();
        QVERIFY(activate(form));
        form.checkArray(4)->setValue(2, before);
        QSignalSpy clicks(form.checkArray(4), &CheckArray::Click);
        cell(form, 4, 2)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, modifiers);
        QCOMPARE(form.checkArray(4)->value(2), after);
        QCOMPARE(clicks, QList<QVariantList>{{2}});
        QCOMPARE(f.sent(), (QList<quint32>{noteOn(38, 126), noteOn(38, 0)}));
    }

    // A level key sets the focused cell as one undoable step and sounds its row.
    void levelKeysSetTheFocusedCell_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("1") << int(Qt::Key_1) << 0 << 1;
        QTest::newRow("2") << int(Qt::Key_2) << 3 << 2;
        QTest::newRow("3") << int(Qt::Key_3) << 1 << 3;
        QTest::newRow("0") << int(Qt::Key_0) << 2 << 0;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 3 << 0;
    }
    void levelKeysSetTheFocusedCell() {
        QFETCH(int, key);
        QFETCH(int, before);
        QFETCH(int, after);
        FormFixture f;
        Form1& form = f.form();
        QVERIFY(activate(form));
        form.checkArray(4)->setValue(2, before);
        cell(form, 4, 2)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(form.checkArray(4)->value(2), after);
        QCOMPARE(f.sent(), (QList<quint32>{noteOn(38, 126), noteOn(38, 0)}));
        f.app().undoHistory().stack().undo();
        QCOMPARE(form.checkArray(4)->value(2), before);
    }

    // From start-up: Tab reaches the grid, 3 sets a strong cell, Ctrl+Space plays and stops.
    void keyboardOnlyFromStartUp() {
        FormFixture f;
        Form1& form = f.form();
        QVERIFY(activate(form));
        for (int i = 0; i < 50 && !qobject_cast<Tapcell*>(QApplication::focusWidget()); ++i)
            QTest::keyClick(&form, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), cell(form, 1, 1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_3);
        QCOMPARE(form.checkArray(1)->value(1), 3);
        form.txtBPM->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(form.BtnPlay->isChecked());
        QVERIFY(f.timer().isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(!form.BtnPlay->isChecked());
    }

    void arrowsMoveAndStopAtTheEdges_data() {
        QTest::addColumn<QPoint>("from");  // step, row
        QTest::addColumn<int>("key");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("down") << QPoint(3, 5) << int(Qt::Key_Down) << QPoint(3, 6);
        QTest::newRow("up") << QPoint(3, 5) << int(Qt::Key_Up) << QPoint(3, 4);
        QTest::newRow("right") << QPoint(3, 5) << int(Qt::Key_Right) << QPoint(4, 5);
        QTest::newRow("left") << QPoint(3, 5) << int(Qt::Key_Left) << QPoint(2, 5);
        QTest::newRow("top edge") << QPoint(3, 1) << int(Qt::Key_Up) << QPoint(3, 1);
        QTest::newRow("bottom edge") << QPoint(3, 18) << int(Qt::Key_Down) << QPoint(3, 18);
        QTest::newRow("first step") << QPoint(1, 5) << int(Qt::Key_Left) << QPoint(1, 5);
        QTest::newRow("last step") << QPoint(16, 5) << int(Qt::Key_Right) << QPoint(16, 5);
    }
    void arrowsMoveAndStopAtTheEdges() {
        QFETCH(QPoint, from);
        QFETCH(int, key);
        QFETCH(QPoint, to);
        FormFixture f;
        Form1& form = f.form();
        QVERIFY(activate(form));
        QTest::mouseClick(cell(form, from.x(), from.y()), Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(QApplication::focusWidget(), cell(form, to.x(), to.y()));
        QCOMPARE(form.checkArray(from.x())->value(from.y()), 2);  // only the click set a level
    }

    // Tab leaves the grid and comes back to the cell that had the focus; when that cell's
    // step goes, the grid is entered at its first cell.
    void gridIsOneTabStop() {
        FormFixture f;
        Form1& form = f.form();
        QVERIFY(activate(form));
        cell(form, 7, 3)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!qobject_cast<Tapcell*>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), cell(form, 7, 3));

        form.txtSpalt->setText("4");
        QTRY_COMPARE(f.app().gridKeyboard().entryCell(), cell(form, 1, 1));
        QCOMPARE(cell(form, 1, 1)->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(cell(form, 2, 1)->focusPolicy(), Qt::ClickFocus);
    }

    // Tab visits every view in the window's order: the toolbar, the grid, the pattern frame,
    // the song frame with the MIDI output control last; Shift+Tab goes back the same way.
    void tabCyclesInTheWindowsOrder() {
        FormFixture f;
        Form1& form = f.form();
        QVERIFY(activate(form));
        const QStringList order{"Toolbar1",        "Bassdrum, Schritt 1",
                                "txtPatNam",       "txtTakt",
                                "txtTNen",         "txtSubdivs",
                                "txtSpalt",        "txtBPM",
                                "BtnPlay",         "BtnClr",
                                "ButMoveLeft",     "ButMoveRight",
                                "chkPlayOnClick",  "cmdLdStd",
                                "cmdLdStdFill",    "Command1",
                                "MSFlexGrid1",     "cmdAddPatt",
                                "cmdEditPat",      "cmdCopy",
                                "txtInsert",       "cmdCut",
                                "txtPatClipboard", "txtSongNam",
                                "cmdPlySng",       "MidiOutput1"};
        // A view by its name, the toolbar's buttons and the control's parts by theirs.
        const auto stop = [&](QWidget* w) {
            for (QWidget* owner : QList<QWidget*>{form.Toolbar1, form.MidiOutput1})
                if (owner->isAncestorOf(w)) return owner->objectName();
            return qobject_cast<Tapcell*>(w) ? nameOf(w) : w->objectName();
        };
        for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            form.txtPatNam->setFocus();
            QStringList visited{"txtPatNam"};
            for (int i = 0; i < 100 && (visited.size() == 1 || visited.last() != "txtPatNam");
                 ++i) {
                QTest::keyClick(QApplication::focusWidget(), key);
                if (stop(QApplication::focusWidget()) != visited.last())
                    visited << stop(QApplication::focusWidget());
            }
            const qsizetype start = order.indexOf("txtPatNam");
            QStringList expected = order.mid(start) + order.first(start + 1);
            if (key == Qt::Key_Backtab) std::reverse(expected.begin(), expected.end());
            QCOMPARE(visited, expected);
        }
    }

    void playToggledByItsAccessibleActionPlays() {
        FormFixture f;
        Form1& form = f.form();
        form.checkArray(1)->setValue(1, 2);
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(form.BtnPlay);
        QCOMPARE(button->role(), QAccessible::CheckBox);
        QAccessibleActionInterface* play = button->actionInterface();
        play->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(form.BtnPlay->isChecked());
        QVERIFY(f.timer().isEnabled());
        QVERIFY(form.Cursor->isVisible());
        QCOMPARE(f.sent().value(0), noteOn(36, 84));
        play->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(!form.BtnPlay->isChecked());
        QVERIFY(!f.timer().isEnabled());
        QVERIFY(!form.Cursor->isVisible());
    }
};

QTEST_MAIN(TstGridAccess)
#include "tst_gridaccess.moc"
