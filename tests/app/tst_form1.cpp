#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "hosting/controlwidget.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "system/twipsgeometry.h"
#include "views/checkarray.h"
#include "views/lineview.h"
#include "views/songgrid.h"
#include "views/taglabel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionHeader>
#include <QTest>
#include <memory>

using sys::TwipsGeometry;

// The main window as a user meets it: start-up, instrument rows and the grid's shape.
class TstForm1 : public QObject {
    Q_OBJECT

    std::unique_ptr<FormFixture> fixture_;
    ScriptedDialogs* dialogs_ = nullptr;
    TempProgramFolder* folder_ = nullptr;

    Form1* start() {
        Form1* form = &fixture_->start();
        if (!QTest::qWaitForWindowExposed(form)) qWarning("window not exposed");
        return form;
    }

    static QList<int> levelsOfRow(const Form1& form, int row) {
        QList<int> levels;
        for (int c = 1; c < form.checkArrayCount(); ++c) levels << form.checkArray(c)->value(row);
        return levels;
    }

    static void fillRow(Form1& form, int row) {
        for (int c = 1; c < form.checkArrayCount(); ++c) form.checkArray(c)->setValue(row, c % 4);
    }

    static void typeOverSelection(QLineEdit* field, const QString& text) {
        field->setFocus();
        QCoreApplication::processEvents();  // the queued select-all on focus
        QTest::keyClicks(field, text);
    }

private slots:
    // A caption is shown whole, or cut short with its whole text as tooltip and name.
    void captionsAreNotCut() {
        FormFixture f;
        QList<QAbstractButton*> buttons = f.form().Frame1->findChildren<QAbstractButton*>();
        buttons << f.form().frmSong->findChildren<QAbstractButton*>();
        for (QAbstractButton* button : buttons) {
            if (!button->isVisibleTo(&f.form())) continue;
            const bool box = qobject_cast<QCheckBox*>(button);
            QStyleOptionButton option;
            option.initFrom(button);
            const int room =
                box ? button->width()
                    : button->style()
                          ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                          .width();
            const int need = box ? button->sizeHint().width()
                                 : button->fontMetrics().horizontalAdvance(button->text());
            if (button->text().endsWith(QChar(0x2026)))
                QVERIFY(button->toolTip().startsWith(button->text().chopped(1)) &&
                        button->accessibleName() == button->toolTip());
            else
                QVERIFY2(
                    need <= room,
                    qPrintable(
                        QStringLiteral("%1: %2 > %3").arg(button->text()).arg(need).arg(room)));
        }
        QHeaderView* header = f.form().MSFlexGrid1->horizontalHeader();
        QStyleOptionHeader section;
        section.initFrom(header);
        section.rect = QRect(0, 0, header->sectionSize(1), header->height());
        const QRect label =
            header->style()->subElementRect(QStyle::SE_HeaderLabel, &section, header);
        QVERIFY(QFontMetricsF(header->font()).horizontalAdvance("loops") <= label.width());
    }

    void init() {
        fixture_ = std::make_unique<FormFixture>(QString(), false);
        dialogs_ = &fixture_->dialogs();
        folder_ = &fixture_->folder();
    }
    void cleanup() {
        QCOMPARE(dialogs_->unusedAnswers(), 0);
        fixture_.reset();
    }

    void instrumentList_data() {
        QTest::addColumn<QByteArray>("contents");   // null: no file at all
        QTest::addColumn<QStringList>("captions");  // rows 1.. as far as given
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<bool>("message");
        QByteArray eighteen, nineteen;
        for (int i = 1; i <= 19; ++i) {
            const QByteArray record =
                "\"Drum " + QByteArray::number(i) + "\"," + QByteArray::number(34 + i) + "\r\n";
            if (i <= 18) eighteen += record;
            nineteen += record;
        }
        const QString templ = QStringLiteral("Label 7890123456789012345");
        QTest::newRow("18 records")
            << eighteen << QStringList{"Drum 1", "Drum 18"} << QStringList{"35", "52"} << false;
        QTest::newRow("19 records")
            << nineteen << QStringList{"Drum 1", "Drum 18"} << QStringList{"35", "52"} << true;
        QTest::newRow("30-character name")
            << QByteArray("abcdefghijklmnopqrstuvwxyz1234,36\r\n")
            << QStringList{"abcdefghijklmnopqrstuvwxy", templ} << QStringList{"36", ""} << false;
        QTest::newRow("quoted names with commas")
            << QByteArray("\"Tom, hoch\",50\r\n  Ride ,  51\r\n")
            << QStringList{"Tom, hoch", "Ride", templ} << QStringList{"50", "51", ""} << false;
        QTest::newRow("markup is shown as text")
            << QByteArray("\"<b>Kick</b>\",36\r\n") << QStringList{"<b>Kick</b>", templ}
            << QStringList{"36", ""} << false;
        QTest::newRow("missing file")
            << QByteArray() << QStringList{"", templ, templ} << QStringList{"", "", ""} << false;
    }
    void instrumentList() {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, captions);
        QFETCH(QStringList, tags);
        QFETCH(bool, message);
        folder_->removeFile("Instrumentation.txt");
        if (!contents.isNull()) folder_->writeFile("Instrumentation.txt", contents);
        if (message) dialogs_->answerMessage(sys::MessageAnswer::Ok);
        auto form = start();
        QCOMPARE(form->labelCount(), 19);
        // Rows named by the list, checked at the first rows and, for full lists, the last.
        const bool full = captions.size() == 2 && captions[1].startsWith("Drum");
        for (int i = 0; i < captions.size(); ++i) {
            const int row = full && i == 1 ? 18 : i + 1;
            QCOMPARE(form->Label(row)->text(), captions[i]);
            QCOMPARE(form->Label(row)->tag(), tags[i]);
            QCOMPARE(form->Label(row)->textFormat(), Qt::PlainText);
        }
        if (!full) QCOMPARE(form->Label(18)->text(), QStringLiteral("Label 7890123456789012345"));
        QCOMPARE(dialogs_->messageTexts().size(), message ? 1 : 0);
        if (message) {
            QCOMPARE(dialogs_->shown()[0].text, QStringLiteral("Zu viele Elemente!"));
            QCOMPARE(dialogs_->shown()[0].icon, sys::MessageIcon::Exclamation);
            QCOMPARE(dialogs_->shown()[0].title, QStringLiteral("Beatloft"));
        }
    }

    void labelsLineUpWithTheirRows() {
        auto form = start();
        for (int r = 1; r <= 18; ++r) {
            QCOMPARE(TwipsGeometry::of(form->Label(r)).y(), 360.0 + (r - 1) * 240);
            QVERIFY(form->Label(r)->isVisible());
            // the label's pixel row covers the cell's pixel row
            const QRect cell = form->checkArray(1)->geometry();
            const int cellTop = cell.y() + (r - 1) * 16;
            QVERIFY(qAbs(form->Label(r)->geometry().y() - cellTop) <= 1);
        }
        QVERIFY(!form->Label(0)->isVisible());
    }

    void startupGeometry() {
        auto form = start();
        QCOMPARE(form->checkArrayCount(), 17);
        QCOMPARE(form->rowCount(), 18);
        QCOMPARE(form->checkArray(1)->nElements(), 18);
        for (int j = 0; j <= 16; ++j) {
            const QRectF g = TwipsGeometry::of(form->checkArray(j));
            QCOMPARE(g, QRectF(2040 + 240 * j, 360, 240, 4320));
            QCOMPARE(form->checkArray(j)->isVisible(), j > 0);
        }
        for (int i = 1; i <= 12; ++i) {
            QCOMPARE(form->Line1(i)->isVisible(), i <= 4);
            if (i <= 4) {
                QCOMPARE(form->Line1(i)->x1(), 2250.0 + 960 * i);
                QCOMPARE(form->Line1(i)->x2(), 2250.0 + 960 * i);
                QCOMPARE(form->Line1(i)->y1(), 120.0);
                QCOMPARE(form->Line1(i)->y2(), 4800.0);
            }
        }
        QCOMPARE(form->formWidth(), form->StartFormWidth);
        QCOMPARE(TwipsGeometry::of(form->Frame1).width(), form->StartFrame1Width);
        QCOMPARE(TwipsGeometry::of(form->Frame1), QRectF(120, 720, 6135, 6375));
        QCOMPARE(TwipsGeometry::of(form->frmSong), QRectF(6360, 720, 3495, 6375));
        QVERIFY(form->MixMode);
        QCOMPARE(form->windowTitle(), QStringLiteral("Beatloft"));
        QCOMPARE(form->txtPatNam->text(), QStringLiteral("PatNam"));
        QCOMPARE(form->txtBPM->text(), QStringLiteral("100"));
        QCOMPARE(form->txtTNen->text(), QStringLiteral("4"));
    }

    void songListHeader() {
        auto form = start();
        SongGrid* grid = form->MSFlexGrid1;
        QCOMPARE(grid->rows(), 2);
        QCOMPARE(grid->textMatrix(0, 0), QStringLiteral("Pattern-Name"));
        QCOMPARE(grid->textMatrix(0, 1), QStringLiteral("loops"));
        QCOMPARE(grid->textMatrix(0, 2), QStringLiteral("BPM"));
        QCOMPARE(grid->colWidth(1), 500.0);
        QCOMPARE(grid->colWidth(2), 500.0);
        QCOMPARE(grid->colWidth(0), TwipsGeometry::of(grid).width() - 1050);
        QCOMPARE(grid->colAlignment(0), SongGrid::kAlignLeftCenter);
    }

    void subdivisionsTypedOverSelection() {
        auto form = start();
        fillRow(*form, 5);
        const QList<int> before = levelsOfRow(*form, 5);
        typeOverSelection(form->txtSubdivs, "3");
        QCOMPARE(form->txtSubdivs->text(), QStringLiteral("3"));
        QCOMPARE(form->txtSpalt->text(), QStringLiteral("12"));
        QCOMPARE(form->checkArrayCount(), 13);
        QCOMPARE(levelsOfRow(*form, 5), before.mid(0, 12));
        for (int i = 1; i <= 4; ++i) QCOMPARE(form->Line1(i)->x1(), 2250.0 + 720 * i);
    }

    void stepCountGrowsAndShrinks() {
        auto form = start();
        const double startWidth = form->formWidth();
        form->txtSpalt->setText("20");
        QCOMPARE(form->checkArrayCount(), 21);
        QCOMPARE(form->formWidth(), startWidth + 960);
        QCOMPARE(TwipsGeometry::of(form->Frame1).width(), form->StartFrame1Width + 960);
        QCOMPARE(levelsOfRow(*form, 1).mid(16), (QList<int>{0, 0, 0, 0}));
        for (int i = 1; i <= 4; ++i) QCOMPARE(form->Line1(i)->x1(), 2250.0 + 960 * i);

        fillRow(*form, 1);
        form->txtSpalt->setText("16");
        QCOMPARE(form->checkArrayCount(), 17);
        QCOMPARE(form->formWidth(), startWidth);
        form->txtSpalt->setText("20");
        QCOMPARE(levelsOfRow(*form, 1).mid(16), (QList<int>{0, 0, 0, 0}));
        QCOMPARE(levelsOfRow(*form, 1).mid(0, 3), (QList<int>{1, 2, 3}));
    }

    void typingTwelveBeatsPassesThroughOne() {
        auto form = start();
        QList<int> counts;
        connect(form->txtSpalt, &QLineEdit::textChanged, form,
                [&] { counts << form->checkArrayCount() - 1; });
        typeOverSelection(form->txtTakt, "12");
        QCOMPARE(counts, (QList<int>{4, 48}));
        for (int i = 1; i <= 12; ++i) QVERIFY(form->Line1(i)->isVisible());
        QCOMPARE(form->formWidth(), form->StartFormWidth + 240 * 32);
    }

    void zeroRemovesEveryColumn() {
        auto form = start();
        form->txtSpalt->setText("0");
        QCOMPARE(form->checkArrayCount(), 1);
        QCOMPARE(form->formWidth(), form->StartFormWidth);
        form->txtSpalt->setText("3");
        QCOMPARE(form->checkArrayCount(), 4);
        QCOMPARE(levelsOfRow(*form, 2), (QList<int>{0, 0, 0}));
    }

    void unusualCounts_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("visibleLines");
        QTest::newRow("fraction of steps") << "txtSpalt"
                                           << "7.5" << 7 << 4;
        QTest::newRow("negative steps") << "txtSpalt"
                                        << "-3" << 0 << 4;
        QTest::newRow("huge step count is cut") << "txtSpalt"
                                                << "100000" << 256 << 4;
        QTest::newRow("text") << "txtSpalt"
                              << "viele" << 0 << 4;
        QTest::newRow("more than twelve beats") << "txtTakt"
                                                << "20" << 80 << 12;
        QTest::newRow("fractional beats") << "txtTakt"
                                          << "2.5" << 10 << 2;
        QTest::newRow("negative beats") << "txtTakt"
                                        << "-2" << 0 << 0;
        QTest::newRow("fractional subdivision") << "txtSubdivs"
                                                << "1.5" << 6 << 4;
        QTest::newRow("negative subdivision") << "txtSubdivs"
                                              << "-1" << 0 << 4;
    }
    void unusualCounts() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, columns);
        QFETCH(int, visibleLines);
        auto form = start();
        form->findChild<QLineEdit*>(field)->setText(text);
        QCOMPARE(form->checkArrayCount() - 1, columns);
        int visible = 0;
        for (int i = 1; i <= 12; ++i) visible += form->Line1(i)->isVisible() ? 1 : 0;
        QCOMPARE(visible, visibleLines);
    }

    void handWidenedWindowSnapsBack() {
        auto form = start();
        form->resize(form->width() + 100, form->height());
        QVERIFY(form->formWidth() > form->StartFormWidth);
        form->txtBPM->setText("120");  // not a count field: nothing snaps
        QVERIFY(form->formWidth() > form->StartFormWidth);
        form->txtTNen->setText("8");
        QVERIFY(form->formWidth() > form->StartFormWidth);
        form->txtSpalt->setText("15");
        QCOMPARE(form->formWidth(), form->StartFormWidth);
        form->resize(form->width() + 100, form->height());
        form->txtTakt->setText("3.75");  // the same product as before: reshaped all the same
        QCOMPARE(form->formWidth(), form->StartFormWidth);
    }

    // Beyond the screen's width the window stops growing and the grid scrolls; the playing
    // step is kept in view.
    void widerThanTheScreenScrolls() {
        auto form = start();
        const double screen = 1920 * 15;  // the tests' screen
        form->txtSpalt->setText("128");
        QVERIFY(form->formWidth() <= screen && form->formWidth() > screen - 150);  // less its frame
        QVERIFY(form->GridScroll->isVisible());
        QVERIFY(TwipsGeometry::of(form->frmSong).right() <= screen);
        form->GridScroll->setValue(form->GridScroll->maximum());
        QVERIFY(!form->checkArray(1)->isVisible());
        QVERIFY(form->checkArray(128)->isVisible());
        QVERIFY(form->checkArray(128)->geometry().right() < form->Frame1->width());
        QCOMPARE(TwipsGeometry::of(form->checkArray(128)).x(), 2040 + 128 * 240.0);  // as set
        QTest::mouseClick(form->BtnPlay, Qt::LeftButton);  // the cursor on step 1
        QCOMPARE(form->GridScroll->value(), 0);
        QTest::mouseClick(form->BtnPlay, Qt::LeftButton);
        form->txtSpalt->setText("16");
        QVERIFY(!form->GridScroll->isVisible());
        QCOMPARE(form->formWidth(), form->StartFormWidth);
    }

    void songFrameKeepsItsDistanceToTheRightEdge() {
        auto form = start();
        const double offset = form->formWidth() - TwipsGeometry::of(form->frmSong).x();
        QCOMPARE(offset, form->SongFrameOffset);
        form->resize(form->width() + 40, form->height());
        QCOMPARE(form->formWidth() - TwipsGeometry::of(form->frmSong).x(), offset);
        form->txtSpalt->setText("24");
        QCOMPARE(form->formWidth() - TwipsGeometry::of(form->frmSong).x(), offset);
    }

    void secondInstanceIsWarnedAndStarts() {
        start();  // the first instance
        QVERIFY(dialogs_->shown().isEmpty());
        dialogs_->answerMessage(sys::MessageAnswer::Ok);
        // The first instance holds the only device: the list opens it, then DeviceID 8 does.
        dialogs_->answerMessage(sys::MessageAnswer::Ok);
        dialogs_->answerMessage(sys::MessageAnswer::Ok);
        Beatloft second;
        QCOMPARE(dialogs_->messageTexts(),
                 (QStringList{QStringLiteral("es läuft noch eine Instanz des Programmes"),
                              QStringLiteral("Unable to open"), QStringLiteral("Unable to open")}));
        QCOMPARE(dialogs_->shown()[0].icon, sys::MessageIcon::None);
        QCOMPARE(dialogs_->shown()[0].buttons, sys::MessageButtons::Ok);
        QCOMPARE(second.form().checkArrayCount(), 17);
    }

    void midiOutputLandsOnTheLastOfThreeDevices() {
        midi::VirtualDevices::clear();
        midi::VirtualDevices::addOutput("A");
        midi::VirtualDevices::addOutput("B");
        const unsigned last = midi::VirtualDevices::addOutput("C");
        midi::MidiServices::instance().rescan();
        auto form = start();
        QVERIFY(form->MidiOutput1);
        QCOMPARE(form->MidiOutput1->getProperty(Form1::DispDeviceID).toInt(), 2);
        QVERIFY(midi::VirtualDevices::isOpen(last));
    }

    void dataFolderBesideTheProgram() {
        auto form = start();
        QCOMPARE(form->DataPath, folder_->path() + "/Data");
        QVERIFY(QDir(form->DataPath).exists());
    }

    void dataFolderThatCannotBeCreatedFallsBackToTheUserFolder() {
        folder_->writeFile("Data", "a file where the folder should be");
        auto form = start();
        QCOMPARE(form->DataPath, fixture_->sandbox().dataPath() + "/Beatloft");
        QVERIFY(QDir(form->DataPath).exists());
    }
};

QTEST_MAIN(TstForm1)
#include "tst_form1.moc"
