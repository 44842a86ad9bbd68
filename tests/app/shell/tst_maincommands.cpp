#include "beatloft.h"
#include "form1.h"
#include "formfixture.h"
#include "netcheck/versioncheck.h"
#include "shared/steptimer.h"
#include "shell/drawsymbol.h"
#include "shell/frmoptions.h"
#include "shell/frmprint.h"
#include "shell/info.h"
#include "shell/maincommands.h"
#include "views/groupboxframe.h"
#include "views/keyedtoolbar.h"
#include "views/lazyiconengine.h"
#include "views/lazyiconstyle.h"
#include "views/mainmenubar.h"
#include "views/maintoolbar.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using Kind = ScriptedDialogs::Kind;

// Toolbar routing, the menu bar, leaving the program, and the print preview.
class TstMainCommands : public QObject {
    Q_OBJECT

    // Runs the event loop until the program asks to end; false when it never does.
    static bool endsTheProgram(const std::function<void()>& action) {
        QTimer::singleShot(0, action);
        bool ended = true;
        QTimer::singleShot(5000, [&] {
            ended = false;
            QCoreApplication::exit(1);
        });
        return QCoreApplication::exec() == 0 && ended;
    }

private slots:
    // Each key observed through what its command shows; cancelled dialogs change nothing.
    void toolbarKeys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("dialog");    // -1: none
        QTest::addColumn<QString>("text");  // message text or file dialog title
        QTest::newRow("Oeffnen") << "Oeffnen" << int(Kind::OpenFile) << "Pattern laden";
        QTest::newRow("Speichern") << "Speichern" << int(Kind::SaveFile) << "Pattern speichern";
        QTest::newRow("SongLaden") << "SongLaden" << int(Kind::OpenFile) << "Song laden";
        QTest::newRow("SpeichernSong")
            << "SpeichernSong" << int(Kind::SaveFile) << "Song speichern";
        QTest::newRow("differs in case")
            << "neu" << int(Kind::Message) << "neu ist nicht definiert";
        QTest::newRow("no command")
            << "TSetDate" << int(Kind::Message) << "TSetDate ist nicht definiert";
        for (const char* silent : {"TPrintDat", "THelp", "TJPG", "BildLad"})
            QTest::newRow(silent) << silent << -1 << "";
    }
    void toolbarKeys() {
        QFETCH(QString, key);
        QFETCH(int, dialog);
        QFETCH(QString, text);
        FormFixture f;
        f.form().txtPatNam->setText("Groove");  // no name question before saving
        f.setRow(1, {3, 2});
        if (dialog == int(Kind::Message)) f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        if (dialog == int(Kind::OpenFile)) f.dialogs().answerOpenFile({});
        if (dialog == int(Kind::SaveFile)) f.dialogs().answerSaveFile({});
        f.app().mainCommands().Toolbar1_ButtonClick(key);
        QCOMPARE(f.dialogs().shown().size(), dialog < 0 ? 0 : 1);
        if (dialog >= 0) {
            const auto& shown = f.dialogs().shown().constFirst();
            QCOMPARE(int(shown.kind), dialog);
            QCOMPARE(dialog == int(Kind::Message) ? shown.text : shown.file.title, text);
            if (dialog == int(Kind::Message)) QCOMPARE(shown.title, QStringLiteral("Beatloft"));
        }
        const bool clears = key == "Oeffnen";  // opening replaces the pattern
        QCOMPARE(f.row(1).mid(0, 2), (clears ? QList<int>{0, 0} : QList<int>{3, 2}));
    }

    void toolbarThroughTheWindow() {
        FormFixture f;
        MainToolBar* bar = f.form().Toolbar1;
        QCOMPARE(bar->keys().size(), 19);
        QCOMPARE(bar->keys().first(), QStringLiteral("Neu"));
        QCOMPARE(bar->button("Tpaste")->toolTip(), QStringLiteral("Einfügen"));
        for (const QString& key : bar->keys()) {
            const bool shown =
                !QStringList{"TSetDate", "TNext4", "TPrint", "TPrintDat", "T"}.contains(key);
            QCOMPARE(bar->button(key)->isVisibleTo(&f.form()), shown);
            QVERIFY2(!bar->button(key)->icon().pixmap(24).isNull(), qPrintable(key));
        }
        QCOMPARE(bar->button("TNext4")->icon().cacheKey(), bar->button("T")->icon().cacheKey());
        // The pictures drawn ahead for the first paint are those the icons draw themselves.
        for (const auto& [key, file] :
             {std::pair{"Neu", ":/icons/new.svg"}, {"THelp", ":/icons/help.svg"}})
            QCOMPARE(bar->button(key)->icon().pixmap(24).toImage(),
                     QIcon(file).pixmap(24).toImage());
        // Once the toolbar has been painted, the icons draw their files at any size.
        QTRY_COMPARE(bar->button("Neu")->icon().pixmap(48).toImage(),
                     QIcon(":/icons/new.svg").pixmap(48).toImage());
        QCOMPARE(bar->button("TNext4")->icon().cacheKey(), bar->button("T")->icon().cacheKey());
        f.setRow(1, {3});
        QTest::mouseClick(bar->button("Neu"), Qt::LeftButton);
        QCOMPARE(f.row(1).value(0), 0);
        bar->button("THelp")->menu()->actions().value(1)->trigger();  // "Hilfe zum Programm"
        QVERIFY(f.dialogs().shown().isEmpty());
    }

    // The bars' overflow buttons get the style's own pictures, made once, when first drawn.
    void overflowPicturesAreTheStylesOwn_data() {
        QTest::addColumn<int>("picture");
        QTest::newRow("horizontal") << int(QStyle::SP_ToolBarHorizontalExtensionButton);
        QTest::newRow("vertical") << int(QStyle::SP_ToolBarVerticalExtensionButton);
    }
    void overflowPicturesAreTheStylesOwn() {
        QFETCH(int, picture);
        const auto which = QStyle::StandardPixmap(picture);
        LazyIconStyle style(QStringLiteral("Fusion"));
        const QIcon lazy = style.standardIcon(which, nullptr, nullptr);
        const QIcon own = style.baseStyle()->standardIcon(which);
        QCOMPARE(lazy.availableSizes(), own.availableSizes());
        QCOMPARE(lazy.pixmap(16).toImage(), own.pixmap(16).toImage());
        int made = 0;
        const QIcon counted(new LazyIconEngine([&] {
            ++made;
            return own;
        }));
        QVERIFY(!counted.isNull());
        QCOMPARE(made, 0);
        counted.pixmap(16);
        counted.pixmap(32);
        QCOMPARE(made, 1);
    }

    // Under Fusion a group box's frame is drawn as a finished picture: the one Fusion draws,
    // with or without a title or check box; Fusion draws what is too small. Fusion stretches
    // its parts with smoothing, which moves a few pixels of its edges by one level.
    void groupBoxFramesAreFusions_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<QSize>("size");
        QTest::newRow("pattern") << "Pattern" << false << QSize(409, 425);
        QTest::newRow("song") << "Song" << false << QSize(233, 425);
        QTest::newRow("check box") << "Sprache" << true << QSize(160, 120);
        QTest::newRow("untitled") << "" << false << QSize(120, 300);
        QTest::newRow("smaller than the corners") << "" << false << QSize(10, 14);
    }
    void groupBoxFramesAreFusions() {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        QFETCH(QSize, size);
        LazyIconStyle ours(QStringLiteral("Fusion"));
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        QGroupBox box(title);
        box.setCheckable(checkable);
        box.resize(size);
        const auto drawnBy = [&box](QStyle* style) {
            box.setStyle(style);
            return box.grab().toImage();
        };
        const QImage own = drawnBy(&ours), fusions = drawnBy(fusion.get());
        QCOMPARE(own.size(), fusions.size());
        int largest = 0;
        for (int y = 0; y < own.height(); ++y)
            for (int x = 0; x < own.width(); ++x) {
                const QRgb a = own.pixel(x, y), b = fusions.pixel(x, y);
                largest =
                    std::max({largest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
            }
        QCOMPARE_LE(largest, 1);
        // A picture whose middle is not one colour is left to the style.
        QImage spotted = GroupBoxFrame::fusionPicture();
        spotted.setPixel(spotted.width() / 2, spotted.height() / 2, qRgba(0, 0, 0, 255));
        QVERIFY(GroupBoxFrame::stretched(spotted, GroupBoxFrame::kFusionMargins, size).isNull());
    }

    // A theme chosen by the desktop gives the buttons its icons; hicolor, named when none is
    // chosen, is not asked even where it holds one.
    void toolbarIconsFromAChosenTheme_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("iconName");
        QTest::newRow("chosen") << "Testthema"
                                << "beatloft-testbild";
        QTest::newRow("hicolor") << "hicolor"
                                 << "";
    }
    void toolbarIconsFromAChosenTheme() {
        QFETCH(QString, theme);
        QFETCH(QString, iconName);
        QTemporaryDir dir;
        const QDir themes(dir.path());
        for (const QString& name : {QStringLiteral("Testthema"), QStringLiteral("hicolor")}) {
            QVERIFY(themes.mkpath(name + "/24x24"));
            QFile index(themes.filePath(name + "/index.theme"));
            QVERIFY(index.open(QIODevice::WriteOnly));
            index.write("[Icon Theme]\nName=" + name.toUtf8() +
                        "\nDirectories=24x24\n[24x24]\nSize=24\nType=Fixed\n");
            QImage picture(24, 24, QImage::Format_ARGB32);
            picture.fill(Qt::red);
            QVERIFY(picture.save(themes.filePath(name + "/24x24/beatloft-testbild.png")));
        }
        const QStringList paths = QIcon::themeSearchPaths();
        const QString before = QIcon::themeName();
        QIcon::setThemeSearchPaths({dir.path()});
        QIcon::setThemeName(theme);
        KeyedToolBar bar;
        const QString shown =
            bar.addKeyedButton({"Neu", "Neues Pattern", "beatloft-testbild", ""})->icon().name();
        QIcon::setThemeName(before);
        QIcon::setThemeSearchPaths(paths);
        QCOMPARE(shown, iconName);
    }

    // The single windows beside the main one: shown, shown again as the same instance.
    void windowsOfTheToolbarAndMenu() {
        FormFixture f;
        Beatloft& app = f.app();
        app.mainCommands().Toolbar1_ButtonClick("TOptions");
        app.mainCommands().Toolbar1_ButtonClick("TOptions");
        QVERIFY(app.options().isVisible());
        QCOMPARE(QApplication::topLevelWidgets().count(&app.options()), 1);
        f.form().Menus->MnuInfo->trigger();
        QVERIFY(app.info().isVisible());
        app.mainCommands().Toolbar1_ButtonClick("Versionscheck");
        QVERIFY(app.inet().VersionsPruefungAktiv);  // the reserved default host never answers
        QVERIFY(f.dialogs().shown().isEmpty());
    }

    // The about box is made when first asked for, with the version host of the start-up.
    void aboutBoxMadeOnFirstUse() {
        qputenv("BEATLOFT_VERSION_HOST", "start.beatloft.example");
        FormFixture f;
        qputenv("BEATLOFT_VERSION_HOST", "later.beatloft.example");
        const auto aboutBoxes = [] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            return std::count_if(windows.begin(), windows.end(),
                                 [](QWidget* w) { return qobject_cast<Info*>(w) != nullptr; });
        };
        QCOMPARE(aboutBoxes(), 0);
        f.form().Menus->MnuInfo->trigger();
        QCOMPARE(aboutBoxes(), 1);
        QCOMPARE(f.app().info().Label3->text(), QStringLiteral("start.beatloft.example"));
        qunsetenv("BEATLOFT_VERSION_HOST");
    }

    void menuBar() {
        FormFixture f;
        QStringList captions;
        for (QAction* menu : f.form().menuBar()->actions()) {
            captions << menu->text();
            for (QAction* item : menu->menu()->actions())
                captions << (item->isSeparator() ? QStringLiteral("-") : item->text()) +
                                QLatin1Char('|') + item->shortcut().toString();
        }
        QCOMPARE(captions, (QStringList{"Datei",
                                        "Pattern öffnen (laden)|Ctrl+O",
                                        "Lade Song|Ctrl+L",
                                        "Mische Spuren ein|Ctrl+M",
                                        "Speichern unter...|F12",
                                        "Speichere Song|Ctrl+S",
                                        "Exportiere Pattern als Midi|Ctrl+E",
                                        "Exportiere Song als Midi|",
                                        "Midi-Datei importieren…|",
                                        "Pattern als WAV exportieren…|",
                                        "Song als WAV exportieren…|",
                                        "Pattern als Notenblatt drucken…|",
                                        "Song als Notenblatt drucken…|",
                                        "-|",
                                        "Zuletzt geöffnet|",
                                        "-|",
                                        "Ende|",
                                        "Bearbeiten",
                                        "Copy|",
                                        "Cut|",
                                        "Insert|",
                                        "-|",
                                        "Rückgängig|Ctrl+Z",
                                        "Wiederholen|Ctrl+Y",
                                        "?",
                                        "Info|"}));
        f.form().txtPatNam->setText("Groove");
        f.dialogs().answerOpenFile({});
        f.dialogs().answerOpenFile({});
        f.dialogs().answerSaveFile({});
        f.form().Menus->MnuOpen->trigger();
        f.form().Menus->MnuMix->trigger();
        f.form().Menus->MnuSaveAs->trigger();
        QCOMPARE(f.dialogs().shown().size(), 3);
        QCOMPARE(f.dialogs().shown()[2].file.title, QStringLiteral("Pattern speichern"));
    }

    void endAsksFirst() {
        FormFixture f;
        f.dialogs().answerMessage(sys::MessageAnswer::Cancel);
        QTest::mouseClick(f.form().BtnPlay, Qt::LeftButton);
        QTest::mouseClick(f.form().Command1, Qt::LeftButton);
        QCOMPARE(f.dialogs().shown()[0].text, QStringLiteral("Wirklich beenden?"));
        QCOMPARE(f.dialogs().shown()[0].buttons, sys::MessageButtons::OkCancel);
        QVERIFY(f.timer().isEnabled());  // still playing
        QVERIFY(f.form().isVisible());
        f.dialogs().answerMessage(sys::MessageAnswer::Ok);
        QVERIFY(endsTheProgram([&] { f.form().Command1->click(); }));
        QVERIFY(!f.timer().isEnabled());
    }

    // "Ende" and the close box end the program although a helper window is still open.
    void endingWithoutAsking_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Ende") << false;
        QTest::newRow("close box") << true;
    }
    void endingWithoutAsking() {
        QFETCH(bool, closeBox);
        FormFixture f;
        f.app().mainCommands().printCommand();
        QTest::mouseClick(f.form().BtnPlay, Qt::LeftButton);
        QVERIFY(endsTheProgram(
            [&] { closeBox ? void(f.form().close()) : f.form().Menus->MnuEnd->trigger(); }));
        QVERIFY(!f.form().isVisible());
        QVERIFY(!f.timer().isEnabled());
        QVERIFY(f.dialogs().shown().isEmpty());
    }

    // Pixels at 20 per millimetre around (50, 20); the fill style each kind leaves.
    void drawSymbol_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("centre");    // the centre is black
        QTest::addColumn<bool>("ring");      // the circle passes (50 + r, 20)
        QTest::addColumn<bool>("diagonal");  // a point on the cross inside the circle
        QTest::addColumn<int>("fillStyle");
        QTest::newRow("filled disc") << 0 << true << true << true << int(FrmPrint::Solid);
        QTest::newRow("open circle") << 1 << false << true << false << int(FrmPrint::Transparent);
        QTest::newRow("cross") << 2 << true << false << true << -1;
        QTest::newRow("circle and cross")
            << 3 << true << true << true << int(FrmPrint::Transparent);
        QTest::newRow("other") << 7 << false << false << false << -1;
    }
    void drawSymbol() {
        QFETCH(int, kind);
        QFETCH(bool, centre);
        QFETCH(bool, ring);
        QFETCH(bool, diagonal);
        QFETCH(int, fillStyle);
        for (const auto before : {FrmPrint::Solid, FrmPrint::Transparent}) {
            FrmPrint page;
            page.setFillStyle(before);
            DrawSymbol(page, 10, 20, kind);
            const QImage image = page.image(20);
            const auto dark = [&](double x, double y) {  // within a pixel of the point
                int darkest = 255;
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy)
                        darkest = qMin(
                            darkest, qGray(image.pixel(qRound(x * 20) + dx, qRound(y * 20) + dy)));
                return darkest < 128;
            };
            QCOMPARE(dark(50, 20), centre);
            QCOMPARE(dark(51.25, 20), ring);
            QCOMPARE(dark(50.5, 19.5), diagonal);
            QVERIFY(!dark(50, 17));  // nothing beyond the symbol
            QCOMPARE(int(page.fillStyle()), fillStyle < 0 ? int(before) : fillStyle);
        }
    }

    // Every top-level window is announced as a window, so a screen reader says it opened.
    void windowsAreAnnouncedAsWindows() {
        FormFixture f;
        f.app().mainCommands().Toolbar1_ButtonClick("Print");
        const QList<QWidget*> windows{&f.form(), &f.app().info(), &f.app().options(),
                                      &f.app().inet(), &f.app().mainCommands().printPreview()};
        for (QWidget* window : windows)
            QCOMPARE(QAccessible::queryAccessibleInterface(window)->role(), QAccessible::Window);
    }

    void pressesOnThePreview() {
        FormFixture f;
        QTemporaryDir dir;
        const QString pdf = dir.filePath("page.pdf");
        qputenv("BEATLOFT_PRINT_TO_PDF", pdf.toLocal8Bit());
        f.app().mainCommands().Toolbar1_ButtonClick("Print");
        FrmPrint& preview = f.app().mainCommands().printPreview();
        QVERIFY(preview.isVisible());
        QTest::mouseClick(&preview, Qt::LeftButton);
        QVERIFY(!preview.isVisible());
        QVERIFY(!QFile::exists(pdf));
        f.app().mainCommands().printCommand();
        QTest::mouseClick(&preview, Qt::RightButton, {}, QPoint(300, 400));
        QVERIFY(!preview.isVisible());
        qunsetenv("BEATLOFT_PRINT_TO_PDF");
        // One page at 10 pixels per millimetre: the symbol at 50/20 mm, the rest white.
        QProcess render;
        render.start("pdftoppm", {"-r", "254", "-gray", "-singlefile", pdf, dir.filePath("page")});
        QVERIFY(render.waitForFinished(20000));
        QImage image(dir.filePath("page.pgm"));
        QCOMPARE(image.width(), 2100);  // A4 upright
        QVERIFY(qAbs(image.height() - 2970) <= 1);
        const auto darkest = [&](int x, int y) {  // within half a millimetre
            int gray = 255;
            for (int dx = -5; dx <= 5; ++dx)
                for (int dy = -5; dy <= 5; ++dy)
                    gray = qMin(gray, qGray(image.pixel(x + dx, y + dy)));
            return gray;
        };
        QVERIFY2(darkest(500, 200) < 128, qPrintable(QString::number(darkest(500, 200))));
        QCOMPARE(darkest(500, 100), 255);
        QCOMPARE(darkest(10, 10), 255);
    }
};

QTEST_MAIN(TstMainCommands)
#include "tst_maincommands.moc"
