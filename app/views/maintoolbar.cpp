#include "maintoolbar.h"

#include <QToolButton>

namespace {

// Pictures come from the desktop's icon theme where it has them, else from our own set.
const KeyedToolBar::Button kButtons[] = {
    {"Neu", "Neues Pattern", "document-new", ":/icons/new.svg"},
    {"Oeffnen", "Pattern öffnen", "document-open", ":/icons/open.svg"},
    {"SongLaden", "Song Laden", "", ":/icons/songopen.svg"},
    {"Speichern", "Pattern Speichern", "document-save", ":/icons/save.svg"},
    {"SpeichernSong", "Song speichern", "", ":/icons/songsave.svg"},
    {"TSaveMidiPat", "Exportiere Pattern nach Midi", "", ":/icons/midipattern.svg"},
    {"TSaveMidiSong", "Exportiere Song nach Midi", "", ":/icons/midisong.svg"},
    {"Print", "Drucken", "document-print", ":/icons/print.svg"},
    {"Tcut", "Ausschneiden", "edit-cut", ":/icons/cut.svg"},
    {"Tpaste", "Einfügen", "edit-paste", ":/icons/paste.svg"},
    {"Tcopy", "Kopieren", "edit-copy", ":/icons/copy.svg"},
    {"Versionscheck", "Version prüfen", "system-software-update", ":/icons/update.svg"},
    {"TOptions", "Optionen", "preferences-system", ":/icons/options.svg"},
    {"TSetDate", "File Datum aus EXIF-Tags setzen", "", ":/icons/blank.svg"},
    {"TNext4", "Die nächsten 4 Bilder", "", ":/icons/blank.svg"},
    {"TPrint", "Drucken", "", ":/icons/blank.svg"},
    {"TPrintDat", "Rückseite drucken (Datum etc.)", "", ":/icons/blank.svg"},
    {"T", "Optionen", "", ":/icons/blank.svg"},
    {"THelp", "Hilfe", "help-contents", ":/icons/help.svg"},
};
const char* const kWithoutCommand[] = {"TSetDate", "TNext4", "TPrint", "TPrintDat", "T"};

}  // namespace

// Our own pictures live in the program's library, which does not load them by itself.
static void loadOwnPictures() {
    Q_INIT_RESOURCE(icons);
}

MainToolBar::MainToolBar(QWidget* parent) : KeyedToolBar(parent) {
    loadOwnPictures();
    setObjectName(QStringLiteral("Toolbar1"));
    for (const Button& b : kButtons) addKeyedButton(b);
    for (const char* key : kWithoutCommand) setButtonVisible(QString::fromLatin1(key), false);
    addMenuEntries(QStringLiteral("THelp"),
                   {{QStringLiteral("Info"), QStringLiteral("Info")},
                    {QStringLiteral("TBHelp"), QStringLiteral("Hilfe zum Programm")}});
}
