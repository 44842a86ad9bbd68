#include "maintoolbar.h"

#include <QCoreApplication>
#include <QToolButton>

namespace {

// Pictures come from the desktop's icon theme where it has them, else from our own set.
const KeyedToolBar::Button kButtons[] = {
    {"Neu", QT_TRANSLATE_NOOP("MainToolBar", "Neues Pattern"), "document-new", ":/icons/new.svg"},
    {"Oeffnen", QT_TRANSLATE_NOOP("MainToolBar", "Pattern öffnen"), "document-open",
     ":/icons/open.svg"},
    {"SongLaden", QT_TRANSLATE_NOOP("MainToolBar", "Song Laden"), "", ":/icons/songopen.svg"},
    {"Speichern", QT_TRANSLATE_NOOP("MainToolBar", "Pattern Speichern"), "document-save",
     ":/icons/save.svg"},
    {"SpeichernSong", QT_TRANSLATE_NOOP("MainToolBar", "Song speichern"), "",
     ":/icons/songsave.svg"},
    {"TSaveMidiPat", QT_TRANSLATE_NOOP("MainToolBar", "Exportiere Pattern nach Midi"), "",
     ":/icons/midipattern.svg"},
    {"TSaveMidiSong", QT_TRANSLATE_NOOP("MainToolBar", "Exportiere Song nach Midi"), "",
     ":/icons/midisong.svg"},
    {"Print", QT_TRANSLATE_NOOP("MainToolBar", "Drucken"), "document-print", ":/icons/print.svg"},
    {"Tcut", QT_TRANSLATE_NOOP("MainToolBar", "Ausschneiden"), "edit-cut", ":/icons/cut.svg"},
    {"Tpaste", QT_TRANSLATE_NOOP("MainToolBar", "Einfügen"), "edit-paste", ":/icons/paste.svg"},
    {"Tcopy", QT_TRANSLATE_NOOP("MainToolBar", "Kopieren"), "edit-copy", ":/icons/copy.svg"},
    {"Versionscheck", QT_TRANSLATE_NOOP("MainToolBar", "Version prüfen"), "system-software-update",
     ":/icons/update.svg"},
    {"TOptions", QT_TRANSLATE_NOOP("MainToolBar", "Optionen"), "preferences-system",
     ":/icons/options.svg"},
    {"TSetDate", QT_TRANSLATE_NOOP("MainToolBar", "File Datum aus EXIF-Tags setzen"), "",
     ":/icons/blank.svg"},
    {"TNext4", QT_TRANSLATE_NOOP("MainToolBar", "Die nächsten 4 Bilder"), "", ":/icons/blank.svg"},
    {"TPrint", QT_TRANSLATE_NOOP("MainToolBar", "Drucken"), "", ":/icons/blank.svg"},
    {"TPrintDat", QT_TRANSLATE_NOOP("MainToolBar", "Rückseite drucken (Datum etc.)"), "",
     ":/icons/blank.svg"},
    {"T", QT_TRANSLATE_NOOP("MainToolBar", "Optionen"), "", ":/icons/blank.svg"},
    {"THelp", QT_TRANSLATE_NOOP("MainToolBar", "Hilfe"), "help-contents", ":/icons/help.svg"},
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
    addMenuEntries(QStringLiteral("THelp"), {{QStringLiteral("Info"), tr("Info")},
                                             {QStringLiteral("TBHelp"), tr("Hilfe zum Programm")}});
    drawPicturesAhead();
}
