#include "recordingopener.h"
#include "settingssandbox.h"
#include "shell/backingstoreahead.h"
#include "shell/frmoptions.h"
#include "shell/frmprint.h"
#include "shell/info.h"
#include "system/settingsstore.h"

#include <sys/mman.h>
#include <unistd.h>
#include <QBackingStore>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <vector>

namespace {
const QString kHost = QStringLiteral("www.beatloft.example");
const QString kHomePage = QStringLiteral("https://www.beatloft.example/");

QStringList texts(const QList<QWidget*>& widgets) {
    QStringList result;
    for (const QWidget* widget : widgets)
        result << widget->property(widget->inherits("QPlainTextEdit") ? "plainText" : "text")
                      .toString();
    return result;
}
QColor colour(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}
// The share of the pages under the bytes that are in memory.
double residentShare(const uchar* bytes, qsizetype size) {
    const auto page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t start = uintptr_t(bytes) & ~(page - 1);
    const size_t length = uintptr_t(bytes) + size_t(size) - start;
    std::vector<unsigned char> resident((length + page - 1) / page);
    if (mincore(reinterpret_cast<void*>(start), length, resident.data()) != 0) return -1;
    return double(std::count_if(resident.begin(), resident.end(), [](auto p) { return p & 1; })) /
           double(resident.size());
}
QVariant stored() {
    return sys::SettingsStore::value(frmOptions::kSection, frmOptions::kKey);
}
}  // namespace

// The about box and the options dialog: contents, links, the stored level, hiding.
class TstShellWindows : public QObject {
    Q_OBJECT

private slots:
    // Shown, a window gets its backing store at its size at once, and the store's pages are
    // in memory before anything is painted into them.
    void backingStoreIsReadyBeforeThePaint() {
        QWidget window;
        window.resize(640, 480);
        window.show();
        BackingStoreAhead* ahead = BackingStoreAhead::prepare(&window);
        QVERIFY(ahead);
        QCOMPARE(window.backingStore()->size(), window.size());
        delete ahead;  // waits for the mapping
        const auto* store = static_cast<const QImage*>(window.backingStore()->paintDevice());
        QCOMPARE(residentShare(store->constBits(), store->sizeInBytes()), 1.0);
    }

    // The preview is as large as the screen's free area allows, frame included.
    void previewFitsTheScreen_data() {
        QTest::addColumn<QSize>("available");
        QTest::addColumn<bool>("full");
        QTest::newRow("1920 x 1200") << QSize(1920, 1200) << true;
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << false;
        QTest::newRow("640 x 512 (200 %)") << QSize(640, 512) << false;
        QTest::newRow("narrow") << QSize(400, 1200) << false;
    }
    void previewFitsTheScreen() {
        QFETCH(QSize, available);
        QFETCH(bool, full);
        const double scale = FrmPrint::fittedScale(available);
        QCOMPARE(scale == 1.0, full);
        QVERIFY(FrmPrint::kHeightTwips / 15 * scale + 40 <= available.height());
        QVERIFY(FrmPrint::kWidthTwips / 15 * scale + 10 <= available.width());
        QVERIFY(FrmPrint::kHeightTwips / 15 * scale + 60 > available.height() || full ||
                FrmPrint::kWidthTwips / 15 * scale + 20 > available.width());
    }

    void optionTabsShowTheirWholeCaptions() {
        SettingsSandbox sandbox;
        frmOptions options;
        options.show();
        QTabBar* tabs = options.OptionTab->tabBar();
        const QRect print = tabs->tabRect(3);
        QCOMPARE(tabs->tabText(3), QStringLiteral("Druckoptionen"));
        QVERIFY(print.right() < tabs->width());
        QVERIFY(print.width() > tabs->fontMetrics().horizontalAdvance("Druckoptionen"));
    }

    void aboutContents() {
        Info info(kHost, kHomePage);
        info.writeDescription();
        QCOMPARE(info.windowTitle(), QStringLiteral("Info Beatloft"));
        QCOMPARE(texts({info.Label4, info.InfoText1, info.Label6, info.Label3, info.Label5,
                        info.Label2, info.Command2, info.Command1}),
                 (QStringList{"Beatloft Version 1.0.28", "Programm zum Erstellen von Drum-Patterns",
                              "Web:", kHost, "EMail:", "kontakt@beatloft.example",
                              "zur Downloadseite", "OK"}));
        QVERIFY(info.Label4->font().bold() && !info.InfoText1->font().bold());
        QCOMPARE(info.Label4->font().pointSizeF(), 8.25);
        QCOMPARE(colour(info.Label4), QColor(128, 0, 128));
        QVERIFY(info.Label3->font().underline() && info.Label2->font().underline());
        QCOMPARE(colour(info.Label3), QColor(0, 0, 192));
        QCOMPARE(colour(info.Label2), QColor(0, 0, 192));
        QCOMPARE(info.Label1->font().pointSizeF(), 9.75);
        QVERIFY(!info.Picture1->pixmap().isNull());

        // OK hides; showing again brings back the same window with the news still in it.
        info.showInfo();
        info.announce("Neuere Version 2.0.0 verfügbar!\r\nDie vorliegende Version ist:\r\n1.0.28");
        QTest::mouseClick(info.Command1, Qt::LeftButton);
        QVERIFY(!info.isVisible());
        info.showInfo();
        QVERIFY(info.isVisible());
        QCOMPARE(info.InfoText1->toPlainText().split('\n').size(), 3);
        QVERIFY(info.InfoText1->font().bold());
        QCOMPARE(info.InfoText1->palette().color(QPalette::Text), QColor(255, 0, 0));
    }

    void aboutLinks_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("target");
        QTest::newRow("web host") << kHost << "Label3"
                                  << "https://www.beatloft.example";
        QTest::newRow("contact") << kHost << "Label2"
                                 << "mailto:kontakt@beatloft.example";
        QTest::newRow("credits") << kHost << "Label1"
                                 << "https://www.beatloft.example/";
        QTest::newRow("downloads") << kHost << "Command2"
                                   << "https://www.beatloft.example/Downloads/";
        QTest::newRow("host with port") << "127.0.0.1:8080"
                                        << "Label3"
                                        << "https://127.0.0.1:8080";
        QTest::newRow("plain label") << kHost << "Label6"
                                     << "";
    }
    void aboutLinks() {
        QFETCH(QString, host);
        QFETCH(QString, element);
        QFETCH(QString, target);
        RecordingOpener opener;
        Info info(host, kHomePage);
        const QMap<QString, QWidget*> elements{{"Label1", info.Label1},
                                               {"Label2", info.Label2},
                                               {"Label3", info.Label3},
                                               {"Label6", info.Label6},
                                               {"Command2", info.Command2}};
        QTest::mouseClick(elements.value(element), Qt::LeftButton);
        QCOMPARE(opener.opened(), target.isEmpty() ? QStringList{} : QStringList{target});
    }

    void optionsContents() {
        frmOptions options;
        QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
        QStringList pages;
        for (int i = 0; i < options.OptionTab->count(); ++i) pages << options.OptionTab->tabText(i);
        QCOMPARE(pages, (QStringList{"Versionsprüfung", "Midioptionen", "Abspieloptionen",
                                     "Druckoptionen"}));
        QCOMPARE(texts({options.optVersion.begin(), options.optVersion.end()}),
                 (QStringList{"Information bei jeder neuen Revision (1.1.X)",
                              "Information bei jeder neuer Version (1.X.1)",
                              "Information bei größeren Überarbeitungen (X.1.1)",
                              "keine Versionsprüfung"}));
        QCOMPARE(texts({options.optDruck.begin(), options.optDruck.end()}),
                 (QStringList{"ohne Vorschau drucken", "Nur Vorschau",
                              "Bei Druck zunächst Vorschau, zum Drucken nachfragen"}));
        for (const QRadioButton* button : options.optDruck) QVERIFY(!button->isChecked());
        QCOMPARE(options.OptionTab->widget(3)->findChild<QLabel*>()->text(),
                 QStringLiteral("Diese Optionen werden nicht abgespeichert und gehen beim Beenden "
                                "des Programms verloren. Die Einstellung wird bei Cancel nicht "
                                "rückgängig gemacht!"));
        QCOMPARE(texts({options.cmdVersionspruefung, options.Command1, options.Command2}),
                 (QStringList{"jetzt prüfen", "OK", "Cancel"}));
    }

    void storedLevel_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("level");
        QTest::newRow("first run") << QVariant() << 0;
        QTest::newRow("3") << QVariant("3") << 3;
        QTest::newRow("x") << QVariant("x") << 0;
        QTest::newRow("7") << QVariant("7") << 0;
        QTest::newRow("2.5") << QVariant("2.5") << 0;
    }
    void storedLevel() {
        QFETCH(QVariant, value);
        QFETCH(int, level);
        SettingsSandbox sandbox;
        if (value.isValid())
            sys::SettingsStore::setValue(frmOptions::kSection, frmOptions::kKey, value);
        frmOptions options;
        options.OptionsSetting();
        QCOMPARE(options.selectedLevel(), level);
        QVERIFY(options.optVersion[level]->isChecked());
    }

    // OK stores the level as decimal text in the program's INI file; the next start selects
    // it. Cancel brings the stored level back and stores nothing; the print mode stays.
    void optionsOkAndCancel() {
        SettingsSandbox sandbox;
        frmOptions options;
        options.OptionsSetting();
        options.showOptions();
        options.optVersion[3]->setChecked(true);
        QTest::mouseClick(options.Command1, Qt::LeftButton);
        QVERIFY(!options.isVisible());
        const QSettings ini(sandbox.configPath() + "/Beatloft/Beatloft.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("Options/Versionsprüfung"), QVariant("3"));
        frmOptions nextStart;
        nextStart.OptionsSetting();
        QCOMPARE(nextStart.selectedLevel(), 3);

        nextStart.showOptions();
        nextStart.optVersion[1]->setChecked(true);
        nextStart.optDruck[1]->setChecked(true);
        QTest::mouseClick(nextStart.Command2, Qt::LeftButton);
        QVERIFY(!nextStart.isVisible());
        QCOMPARE(nextStart.selectedLevel(), 3);
        QCOMPARE(stored(), QVariant("3"));
        QVERIFY(nextStart.optDruck[1]->isChecked());
    }

    // The JACK auto-connection starts off, is kept in the INI file with OK and read back.
    void jackAutoConnectStored() {
        SettingsSandbox sandbox;
        frmOptions options;
        options.OptionsSetting();
        QVERIFY(!options.chkJackVerbinden->isChecked());
        QCOMPARE(options.chkJackVerbinden->text(),
                 QStringLiteral("JACK-Ausgänge automatisch verbinden"));
        options.chkJackVerbinden->setChecked(true);
        QTest::mouseClick(options.Command1, Qt::LeftButton);
        const QSettings ini(sandbox.configPath() + "/Beatloft/Beatloft.ini", QSettings::IniFormat);
        QCOMPARE(ini.value("Options/JACK verbinden"), QVariant("1"));
        frmOptions nextStart;
        nextStart.OptionsSetting();
        QVERIFY(nextStart.chkJackVerbinden->isChecked());
    }
};

QTEST_MAIN(TstShellWindows)
#include "tst_shellwindows.moc"
