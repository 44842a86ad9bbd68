#pragma once

#include <QByteArray>
#include <QString>

class QCoreApplication;

// The language of the user interface: German, the language the texts are written in, or
// English through the program's translation. The options dialog's choice is kept in the
// settings store and takes effect at the next start; the system language follows the
// locale variables, English when they name an English locale, German otherwise.
class UiLanguage {
public:
    enum Choice { System = 0, German = 1, English = 2 };

    // Where the choice is kept: section and key of the settings store.
    static const QString kSection;
    static const QString kKey;

    // The stored choice; a value that is not 0, 1 or 2 counts as System.
    static Choice stored();
    static void store(Choice choice);
    static Choice choiceFromStored(const QString& stored);

    // Whether the interface speaks English for this choice and the locale a program gets
    // from LC_ALL, LC_MESSAGES and LANG (the first of them that is set and not empty).
    static bool isEnglish(Choice choice, const QByteArray& messagesLocale);
    static QByteArray messagesLocale();

    // Loads Qt's own translation and, for English, the program's, into the application.
    // Returns false when Qt's translation for the language could not be found.
    static bool install(QCoreApplication& application);
};
