#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "shell/maincommands.h"
#include "song/song.h"
#include "song/songlist.h"
#include "system/twips.h"
#include "system/twipsgeometry.h"
#include "transport/transport.h"
#include "views/checkarray.h"
#include "views/songgrid.h"
#include "views/taglabel.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QTest>
#include <cmath>
#include <functional>

using Script = std::function<QString(FormFixture&)>;

// The song list through its buttons, keys and the in-place editor.
class TstSongList : public QObject {
    Q_OBJECT

    // Column 0 of every song row; each row must show its own record.
    static QStringList names(FormFixture& f) {
        QStringList result;
        for (int r = 1; r < f.form().MSFlexGrid1->rows(); ++r) {
            result << f.form().MSFlexGrid1->textMatrix(r, 0);
            if (result.last() != f.song().store[r].Name) return {"record mismatch"};
        }
        return result;
    }
    static void add(FormFixture& f, const QString& name) {
        f.form().txtPatNam->setText(name);
        QTest::mouseClick(f.form().cmdAddPatt, Qt::LeftButton);
    }
    static void editCell(FormFixture& f, int row, int col, const QString& text) {
        SongGrid* grid = f.form().MSFlexGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(row - 1, col));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(f.form().FrameText->isVisible());
        QTest::keyClicks(f.form().txtEdit, text);  // replaces the selected text
        grid->setFocus();                          // leaving the editor commits
    }

private slots:
    // Steps: a name adds the pattern on screen under that name, @n selects row n, and the
    // list's keys c (Ctrl+C), x (Ctrl+X) and v (Ctrl+V) copy, cut and insert.
    void listCommands_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("add pushes the empty row down") << "A" << QStringList{"A", ""} << "";
        QTest::newRow("add on the empty last row appends")
            << "A @2 B" << QStringList{"A", "B", ""} << "";
        QTest::newRow("cut row 2 of 3") << "A @2 B @3 C @2 x" << QStringList{"A", "C", ""} << "B";
        QTest::newRow("insert after cut")
            << "A @2 B @3 C @2 x v" << QStringList{"A", "B", "C", ""} << "B";
        QTest::newRow("insert twice") << "A c v v" << QStringList{"A", "A", "A", ""} << "A";
        QTest::newRow("the only row stays, empty") << "A @2 x @1 x" << QStringList{""} << "A";
    }
    void listCommands() {
        QFETCH(QString, steps);
        QFETCH(QStringList, rows);
        QFETCH(QString, clipboard);
        FormFixture f;
        SongGrid* grid = f.form().MSFlexGrid1;
        for (const QString& step : steps.split(' ')) {
            if (step.startsWith('@'))
                grid->setRow(step.mid(1).toInt());
            else if (step.size() == 1 && step[0].isLower())
                QTest::keyClick(grid, Qt::Key(Qt::Key_A + step[0].unicode() - 'a'),
                                Qt::ControlModifier);
            else
                add(f, step);
        }
        QCOMPARE(names(f), rows);
        QCOMPARE(f.form().txtPatClipboard->text(), clipboard);
        QVERIFY(grid->row() >= 1);
    }

    void inPlaceEditing() {
        FormFixture f;
        f.form().activateWindow();  // focus moves only inside the active window
        QVERIFY(QTest::qWaitForWindowActive(&f.form()));
        f.editSong([](Song& song) { song.store[0].Loops = 0; });
        QTest::mouseClick(f.form().txtInsert, Qt::LeftButton);  // loops 0 goes in as 1
        QCOMPARE(f.form().MSFlexGrid1->textMatrix(1, 1), QStringLiteral("1"));
        editCell(f, 1, 1, "0");
        QCOMPARE(f.song().store[1].Loops, 0);  // an edit may set 0
        editCell(f, 1, 2, "schnell");
        QCOMPARE(f.form().MSFlexGrid1->textMatrix(1, 2), QStringLiteral("schnell"));
        QCOMPARE(f.song().store[1].BPM, 0);
        editCell(f, 1, 2, "99999");
        QCOMPARE(f.song().store[1].BPM, 32767);
        editCell(f, 1, 0, "Intro");
        QCOMPARE(names(f), (QStringList{"Intro", ""}));
        QVERIFY(!f.form().FrameText->isVisible());
        // The editor stands over the cell it edits, 50 twips right and 30 down.
        SongGrid* grid = f.form().MSFlexGrid1;
        grid->setCurrentCell(0, 2);
        emit grid->DblClick();
        const QRectF cell = grid->cellRect(1, 2);
        const QRectF editor = sys::TwipsGeometry::of(f.form().FrameText);
        QCOMPARE(editor.x(), sys::TwipsGeometry::of(grid).x() + cell.x() + 50);
        QCOMPARE(editor.width(), cell.width());
        QCOMPARE(f.form().txtEdit->selectedText(), QStringLiteral("99999"));  // as typed
    }

    void editingAStoredPattern() {
        FormFixture f;
        Form1& form = f.form();
        f.setRow(1, {3, 0, 2});
        form.txtBPM->setText("90");
        add(f, "Stored");
        f.setInstrumentTag(2, "99");  // this note is not in the record
        f.setRow(2, {1, 1, 1});
        f.setRow(1, {0, 1});
        form.txtPatNam->setText("Screen");
        QTest::mouseClick(form.cmdEditPat, Qt::LeftButton);
        QVERIFY(!form.MSFlexGrid1->isEnabled() && form.cmdCancEd->isVisible());
        QCOMPARE(f.row(1).mid(0, 3), (QList<int>{3, 0, 2}));
        QCOMPARE(f.row(2).mid(0, 3), (QList<int>{1, 1, 1}));  // unmatched: untouched
        form.txtPatNam->setText("Changed");
        form.txtBPM->setText("140");
        QTest::mouseClick(form.cmdEditPat, Qt::LeftButton);  // commit
        QCOMPARE(names(f), (QStringList{"Changed", ""}));
        QCOMPARE(form.MSFlexGrid1->textMatrix(1, 2), QStringLiteral("90"));  // not refreshed
        QCOMPARE(f.song().store[1].BPM, 140);
        QCOMPARE(form.txtPatNam->text(), QStringLiteral("Screen"));  // back on screen
        QCOMPARE(f.row(1).mid(0, 2), (QList<int>{0, 1}));
        // Cancel keeps the record; adding meanwhile overwrites the saved screen pattern.
        QTest::mouseClick(form.cmdEditPat, Qt::LeftButton);
        form.txtPatNam->setText("Added");
        QTest::mouseClick(form.cmdAddPatt, Qt::LeftButton);
        QTest::mouseClick(form.cmdCancEd, Qt::LeftButton);
        QVERIFY(!form.cmdEditPat->isChecked() && !form.cmdCancEd->isVisible());
        QCOMPARE(form.txtPatNam->text(), QStringLiteral("Added"));
        QCOMPARE(f.song().store[1].Name, QStringLiteral("Added"));
    }

    // Edits of the song while it plays or while a stored pattern is edited, through the
    // window; each row's script answers with what it found.
    void editsDuringPlayOrEdit_data() {
        QTest::addColumn<Script>("script");
        QTest::addColumn<QString>("found");
        const auto abc = [](FormFixture& f) {
            for (const char* name : {"A", "B", "C"}) {
                add(f, name);
                f.form().MSFlexGrid1->setRow(f.form().MSFlexGrid1->rows() - 1);
            }
            f.form().MSFlexGrid1->setRow(1);
        };
        QTest::newRow("a commit goes into the record edited, not the playing row")
            << Script([=](FormFixture& f) {
                   abc(f);
                   f.form().cmdPlySng->click();
                   f.form().cmdEditPat->click();
                   f.form().txtPatNam->setText("A-edited");
                   for (int i = 0; i < 16; ++i) f.transport().tick();  // row 2 plays
                   f.form().cmdEditPat->click();
                   return names(f).join(',');
               })
            << "A-edited,B,C,";
        QTest::newRow("an insert while editing moves the record edited along")
            << Script([=](FormFixture& f) {
                   abc(f);
                   f.form().cmdEditPat->click();
                   f.form().txtPatNam->setText("A2");
                   f.app().mainCommands().Toolbar1_ButtonClick("Tcut");  // the edited row stays
                   f.app().mainCommands().Toolbar1_ButtonClick("Tpaste");
                   f.form().cmdEditPat->click();
                   return names(f).join(',');
               })
            << ",A2,B,C,";
        QTest::newRow("a toolbar cut with the in-place editor open commits first")
            << Script([=](FormFixture& f) {
                   abc(f);
                   const QRect cell =
                       f.form().MSFlexGrid1->visualRect(f.form().MSFlexGrid1->model()->index(0, 0));
                   QTest::mouseDClick(f.form().MSFlexGrid1->viewport(), Qt::LeftButton, {},
                                      cell.center());
                   QTest::keyClicks(f.form().txtEdit, "Z");  // still open
                   f.app().mainCommands().Toolbar1_ButtonClick("Tcut");
                   return names(f).join(',') + " " + f.form().txtPatClipboard->text();
               })
            << "B,C, Z";
        QTest::newRow("the countdown shown is not taken as the loop count")
            << Script([=](FormFixture& f) {
                   f.form().txtTakt->setText("1");
                   f.form().txtSubdivs->setText("1");
                   add(f, "A");
                   editCell(f, 1, 1, "4");
                   f.form().cmdPlySng->click();
                   f.transport().tick();
                   f.transport().tick();  // pass 3: the cell shows 2
                   f.form().cmdPlySng->click();
                   const QString shown = f.form().MSFlexGrid1->textMatrix(1, 1);
                   editCell(f, 1, 1, "");
                   f.form().FrameText->hide();
                   return shown + " " + QString::number(f.song().store[1].Loops);
               })
            << "2 4";
        QTest::newRow("no row: copy, cut and edit do nothing") << Script([=](FormFixture& f) {
            abc(f);
            f.editSong([](Song& song) { song.rows = 0; });
            f.form().cmdCopy->click();
            f.app().mainCommands().Toolbar1_ButtonClick("Tcut");
            f.form().cmdEditPat->click();
            return f.form().txtPatClipboard->text() + "|" +
                   QString::number(f.form().cmdEditPat->isChecked()) + f.form().txtPatNam->text();
        }) << "|0C";
        QTest::newRow("a row cut above the playing one: stopping leaves no red row")
            << Script([=](FormFixture& f) {
                   abc(f);
                   f.form().cmdPlySng->click();
                   for (int i = 0; i < 16; ++i) f.transport().tick();  // B, row 2, plays
                   f.form().MSFlexGrid1->setRow(1);
                   f.form().cmdCut->click();
                   f.form().cmdPlySng->click();
                   return f.form().MSFlexGrid1->cellBackColor(1, 0).name();
               })
            << "#ffffff";
        QTest::newRow("the song taking the timer releases the pattern's Play")
            << Script([=](FormFixture& f) {
                   abc(f);
                   f.form().BtnPlay->click();
                   f.form().cmdPlySng->click();
                   QString found = QString::number(f.form().BtnPlay->isChecked()) +
                                   QString::number(f.form().Cursor->isVisible());
                   for (int i = 0; i < 48; ++i) f.transport().tick();  // the song ends
                   return found + QString::number(f.form().cmdPlySng->isChecked());
               })
            << "000";
    }
    void editsDuringPlayOrEdit() {
        QFETCH(Script, script);
        QFETCH(QString, found);
        FormFixture f;
        f.form().activateWindow();  // the in-place editor needs the focus
        QVERIFY(QTest::qWaitForWindowActive(&f.form()));
        QCOMPARE(script(f), found);
        QCOMPARE(f.transport().state() == Transport::State::Song, f.form().cmdPlySng->isChecked());
    }

    void limits() {
        FormFixture f;
        f.form().txtTakt->setText("8");  // 32 steps: the last two stay out
        f.setRow(1, QList<int>(32, 2));
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        add(f, "Long");
        QCOMPARE(
            f.dialogs().messageTexts(),
            QStringList{
                "Nur die ersten 30 Schritte und 30 Instrumente werden in den Song übernommen."});
        QCOMPARE(f.song().store[1].cell(1, 30), 2);
        QCOMPARE(f.song().store[1].cell(1, 31), 0);
        f.form().txtTakt->setText("4");
        for (int i = 2; i <= 29; ++i) add(f, QString::number(i));
        QCOMPARE(f.app().songList().songRows(), 30);
        f.dialogs().clear();
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        add(f, "Too many");
        QCOMPARE(f.dialogs().messageTexts(),
                 QStringList{"Der Song kann höchstens 30 Pattern enthalten."});
        QCOMPARE(f.app().songList().songRows(), 30);
    }

    // A caption wider than its column shrinks the header's type in steps of 8 %: to the
    // largest step at which every caption fits, found from one measurement.
    void headerTypeFitsInTheLargestStep_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<double>("share");  // the column's width over the caption's at full size
        QTest::newRow("fits") << "loops" << 1.5;
        QTest::newRow("one step") << "loops" << 0.95;
        QTest::newRow("several steps") << "Pattern-Name" << 0.6;
        QTest::newRow("at the limit of twelve steps") << "Pattern-Name" << 0.05;
    }
    void headerTypeFitsInTheLargestStep() {
        QFETCH(QString, caption);
        QFETCH(double, share);
        SongGrid grid(2);
        const QFont full = grid.font();
        const int margins = 2 * grid.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr,
                                                          grid.horizontalHeader()) +
                            2;
        const auto width = [&](const QFont& font) {
            return QFontMetricsF(font).horizontalAdvance(caption);
        };
        grid.setTextMatrix(0, 1, caption);
        grid.setColWidth(1, sys::pixelsToTwips(int(width(full) * share) + margins));
        const int room = grid.columnWidth(1) - margins;
        const QFont fitted = grid.horizontalHeader()->font();
        const int steps =
            qRound(std::log(fitted.pointSizeF() / full.pointSizeF()) / std::log(0.92));
        QCOMPARE(fitted.pointSizeF(), full.pointSizeF() * std::pow(0.92, steps));
        QVERIFY(steps == 12 || width(fitted) <= room);
        if (steps > 0) {
            QFont larger = fitted;
            larger.setPointSizeF(full.pointSizeF() * std::pow(0.92, steps - 1));
            QVERIFY(width(larger) > room);
        }
        QCOMPARE(grid.horizontalHeaderItem(1)->toolTip(), caption);
    }
};

QTEST_MAIN(TstSongList)
#include "tst_songlist.moc"
