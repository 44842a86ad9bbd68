#include "settingssandbox.h"
#include "shell/frmoptions.h"
#include "system/settingsstore.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

namespace {
QStringList captions(const QList<QRadioButton*>& buttons) {
    QStringList texts;
    for (const QRadioButton* button : buttons) texts << button->text();
    return texts;
}
QVariant stored() {
    return sys::SettingsStore::value(frmOptions::kSection, frmOptions::kKey);
}
}  // namespace

// The options dialog and the version-check level it keeps between runs.
class TstFrmOptions : public QObject {
    Q_OBJECT

private slots:
    void contents() {
        frmOptions options;
        QCOMPARE(options.windowTitle(), QStringLiteral("Options"));
        QStringList pages;
        for (int i = 0; i < options.OptionTab->count(); ++i) pages << options.OptionTab->tabText(i);
        QCOMPARE(pages, (QStringList{"Versionsprüfung", "Midioptionen", "Abspieloptionen",
                                     "Druckoptionen"}));
        QCOMPARE(captions(options.optVersion),
                 (QStringList{"Information bei jeder neuen Revision (1.1.X)",
                              "Information bei jeder neuer Version (1.X.1)",
                              "Information bei größeren Überarbeitungen (X.1.1)",
                              "keine Versionsprüfung"}));
        QCOMPARE(captions(options.optDruck),
                 (QStringList{"ohne Vorschau drucken", "Nur Vorschau",
                              "Bei Druck zunächst Vorschau, zum Drucken nachfragen"}));
        for (const QRadioButton* button : options.optDruck) QVERIFY(!button->isChecked());
        const auto* note = options.OptionTab->widget(3)->findChild<QLabel*>();
        QCOMPARE(note->text(),
                 QStringLiteral("Diese Optionen werden nicht abgespeichert und gehen beim Beenden "
                                "des Programms verloren. Die Einstellung wird bei Cancel nicht "
                                "rückgängig gemacht!"));
        QCOMPARE(options.cmdVersionspruefung->text(), QStringLiteral("jetzt prüfen"));
        QCOMPARE(options.Command1->text(), QStringLiteral("OK"));
        QCOMPARE(options.Command2->text(), QStringLiteral("Cancel"));
    }

    void storedLevel_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("level");
        QTest::newRow("first run") << QVariant() << 0;
        QTest::newRow("3") << QVariant("3") << 3;
        QTest::newRow("1") << QVariant("1") << 1;
        QTest::newRow("x") << QVariant("x") << 0;
        QTest::newRow("7") << QVariant("7") << 0;
        QTest::newRow("-1") << QVariant("-1") << 0;
        QTest::newRow("2.5") << QVariant("2.5") << 0;
        QTest::newRow("blanks") << QVariant(" 2 ") << 2;
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

    // OK stores the level as decimal text in the program's INI file; the next start selects it.
    void okStores() {
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
    }

    // Cancel brings the stored level back and stores nothing; the print mode stays.
    void cancelRestoresLevelOnly() {
        SettingsSandbox sandbox;
        sys::SettingsStore::setValue(frmOptions::kSection, frmOptions::kKey, "1");
        frmOptions options;
        options.OptionsSetting();
        options.showOptions();
        options.optVersion[2]->setChecked(true);
        options.optDruck[1]->setChecked(true);
        QTest::mouseClick(options.Command2, Qt::LeftButton);
        QVERIFY(!options.isVisible());
        QCOMPARE(options.selectedLevel(), 1);
        QCOMPARE(stored(), QVariant("1"));
        QVERIFY(options.optDruck[1]->isChecked());
    }

    void checkNowStoresNothing() {
        SettingsSandbox sandbox;
        frmOptions options;
        options.OptionsSetting();
        QSignalSpy requested(&options, &frmOptions::versionCheckRequested);
        options.optVersion[2]->setChecked(true);
        QTest::mouseClick(options.cmdVersionspruefung, Qt::LeftButton);
        QCOMPARE(requested.count(), 1);
        QCOMPARE(options.selectedLevel(), 2);
        QVERIFY(!stored().isValid());
    }
};

QTEST_MAIN(TstFrmOptions)
#include "tst_frmoptions.moc"
