#include "form1.h"
#include "settingssandbox.h"
#include "shared/uilanguage.h"
#include "shell/frmoptions.h"
#include "system/dialogs.h"
#include "views/mainmenubar.h"
#include "views/maintoolbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

namespace {

void setLocale(const QByteArray& lang) {
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", lang);
}

QStringList buttonTexts(const QWidget* dialog) {
    QStringList texts;
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty()) texts << button->text();
    return texts;
}

// The texts of the modal dialog a call opens, read while it is up; the dialog is then closed.
QStringList textsOfModal(const std::function<void()>& open) {
    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        texts = buttonTexts(dialog);
        for (const QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
        dialog->close();
    });
    open();
    return texts;
}

}  // namespace

class TstLanguage : public QObject {
    Q_OBJECT

private slots:
    void init() { sys::Dialogs::install(nullptr); }

    // Each test installs the translations its locale asks for; they go with it.
    void cleanup() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    void languageRule_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<bool>("english");
        QTest::newRow("no locale") << QString() << QByteArray() << false;
        QTest::newRow("C") << QString() << QByteArray("C") << false;
        QTest::newRow("POSIX") << QString() << QByteArray("POSIX") << false;
        QTest::newRow("German") << QString() << QByteArray("de_DE.UTF-8") << false;
        QTest::newRow("French") << QString("0") << QByteArray("fr_FR.UTF-8") << false;
        QTest::newRow("US English") << QString("0") << QByteArray("en_US.UTF-8") << true;
        QTest::newRow("plain en") << QString() << QByteArray("en") << true;
        QTest::newRow("German chosen") << QString("1") << QByteArray("en_GB.UTF-8") << false;
        QTest::newRow("English chosen") << QString(" 2") << QByteArray("de_DE.UTF-8") << true;
        QTest::newRow("English chosen, C") << QString("2") << QByteArray("C") << true;
        QTest::newRow("unknown choice") << QString("3") << QByteArray("de_AT") << false;
        QTest::newRow("damaged choice") << QString("x") << QByteArray("en_US") << true;
    }
    void languageRule() {
        QFETCH(QString, stored);
        QFETCH(QByteArray, locale);
        QFETCH(bool, english);
        QCOMPARE(UiLanguage::isEnglish(UiLanguage::choiceFromStored(stored), locale), english);
    }

    void messagesLocaleFollowsPrecedence() {
        setLocale("de_DE.UTF-8");
        qputenv("LC_MESSAGES", "en_US.UTF-8");
        QCOMPARE(UiLanguage::messagesLocale(), QByteArray("en_US.UTF-8"));
        qputenv("LC_ALL", "C");
        QCOMPARE(UiLanguage::messagesLocale(), QByteArray("C"));
        setLocale("");
        QCOMPARE(UiLanguage::messagesLocale(), QByteArray());
    }

    void germanLocaleGivesGermanQtDialogs() {
        SettingsSandbox sandbox;
        setLocale("de_DE.UTF-8");
        QVERIFY(UiLanguage::install(*qApp));

        const QStringList box = textsOfModal([] {
            sys::Dialogs::current().message(QStringLiteral("Wirklich beenden?"),
                                            sys::MessageButtons::OkCancel);
        });
        QVERIFY2(box.contains("OK") && box.contains("Abbrechen"), qPrintable(box.join('|')));
        QVERIFY(box.contains("Wirklich beenden?"));

        const QStringList files = textsOfModal([] {
            sys::Dialogs::current().openFile({QStringLiteral("Pattern laden"), QString(),
                                              QStringLiteral(".drm"),
                                              QStringLiteral("Pattern (.drm)|*.drm")});
        });
        for (const char* text : {"&Öffnen", "Abbrechen", "Datei&name:", "Dateien des Typs:"})
            QVERIFY2(files.contains(QString::fromUtf8(text)), qPrintable(files.join('|')));

        QLineEdit field;
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList actions;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) actions << action->text().section(u'\t', 0, 0);
        QCOMPARE(actions, (QStringList{"&Rückgängig", "Wieder&herstellen", "&Ausschneiden",
                                       "&Kopieren", "Einf&ügen", "Löschen", "Alles auswählen"}));
    }

    void englishLocaleGivesEnglishInterface() {
        SettingsSandbox sandbox;
        setLocale("en_US.UTF-8");
        UiLanguage::install(*qApp);
        Form1 form;
        QCOMPARE(form.Menus->MnuDatei->title(), QStringLiteral("File"));
        QCOMPARE(form.Menus->MnuOpen->text(), QStringLiteral("Open pattern (load)"));
        QCOMPARE(form.Menus->MnuUndo->text(), QStringLiteral("Undo"));
        QCOMPARE(form.Toolbar1->button(QStringLiteral("Neu"))->toolTip(),
                 QStringLiteral("New pattern"));
        QCOMPARE(form.Command1->text(), QStringLiteral("Quit"));
        QCOMPARE(form.lblTakt->text(), QStringLiteral("Beats"));

        frmOptions options;
        QCOMPARE(options.OptionTab->tabText(0), QStringLiteral("Version check"));
        const QStringList box = textsOfModal([] {
            sys::Dialogs::current().message(
                QCoreApplication::translate("MainCommands", "Wirklich beenden?"),
                sys::MessageButtons::YesNo);
        });
        QVERIFY2(box.contains("Really quit?") && box.contains("&Yes"), qPrintable(box.join('|')));
    }

    void chosenLanguageTakesEffectAtNextStart() {
        SettingsSandbox sandbox;
        setLocale("de_DE.UTF-8");
        frmOptions options;
        options.OptionsSetting();
        QCOMPARE(options.cboSprache->currentText(), QStringLiteral("Systemsprache"));
        options.cboSprache->setCurrentIndex(UiLanguage::English);
        QTest::mouseClick(options.Command1, Qt::LeftButton);
        QCOMPARE(UiLanguage::stored(), UiLanguage::English);
        QCOMPARE(options.cboSprache->currentText(), QStringLiteral("English"));  // not yet

        UiLanguage::install(*qApp);
        QCOMPARE(QCoreApplication::translate("MainMenuBar", "Datei"), QStringLiteral("File"));
    }
};

QTEST_MAIN(TstLanguage)
#include "tst_language.moc"
