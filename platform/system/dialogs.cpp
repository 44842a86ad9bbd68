#include "dialogs.h"

#include "consoledialogs.h"

namespace sys {

namespace {
Dialogs* installed = nullptr;
Dialogs* windowDialogs = nullptr;
QString& titleStore() {
    static QString title = QStringLiteral("Beatloft");
    return title;
}
}  // namespace

MessageAnswer Dialogs::message(const QString& text, MessageButtons buttons, MessageIcon icon,
                               const QString& title) {
    return showMessage({text, title.isEmpty() ? applicationTitle() : title, buttons, icon});
}

QString Dialogs::input(const QString& prompt, const QString& title, const QString& defaultText) {
    return showInput({prompt, title.isEmpty() ? applicationTitle() : title, defaultText});
}

QString Dialogs::openFile(const FileRequest& request) {
    return showOpenFile(request);
}

QString Dialogs::saveFile(const FileRequest& request) {
    return showSaveFile(request);
}

Dialogs& Dialogs::current() {
    static ConsoleDialogs console;
    if (installed) return *installed;
    return windowDialogs ? *windowDialogs : console;
}

void Dialogs::setWindowDefault(Dialogs* dialogs) {
    windowDialogs = dialogs;
}

void Dialogs::install(Dialogs* dialogs) {
    installed = dialogs;
}

QString Dialogs::applicationTitle() {
    return titleStore();
}

void Dialogs::setApplicationTitle(const QString& title) {
    titleStore() = title;
}

}  // namespace sys
