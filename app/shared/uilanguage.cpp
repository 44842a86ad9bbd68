#include "uilanguage.h"

#include "system/settingsstore.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

const QString UiLanguage::kSection = QStringLiteral("Options");
const QString UiLanguage::kKey = QStringLiteral("Sprache");

UiLanguage::Choice UiLanguage::stored() {
    return choiceFromStored(sys::SettingsStore::value(kSection, kKey).toString());
}

void UiLanguage::store(Choice choice) {
    sys::SettingsStore::setValue(kSection, kKey, QString::number(choice));
}

UiLanguage::Choice UiLanguage::choiceFromStored(const QString& stored) {
    bool ok = false;
    const int value = stored.trimmed().toInt(&ok);
    return ok && (value == German || value == English) ? Choice(value) : System;
}

bool UiLanguage::isEnglish(Choice choice, const QByteArray& messagesLocale) {
    if (choice != System) return choice == English;
    return messagesLocale.startsWith("en");
}

QByteArray UiLanguage::messagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) return value;
    }
    return {};
}

bool UiLanguage::install(QCoreApplication& application) {
    const bool english = isEnglish(stored(), messagesLocale());
    auto* qt = new QTranslator(&application);
    const bool found = qt->load(english ? QStringLiteral("qtbase_en") : QStringLiteral("qtbase_de"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QCoreApplication::installTranslator(qt);
    if (english) {
        auto* own = new QTranslator(&application);
        if (own->load(QStringLiteral(":/translations/beatloft_en.qm")))
            QCoreApplication::installTranslator(own);
    }
    return found;
}
