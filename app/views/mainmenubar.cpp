#include "mainmenubar.h"

#include "views/menuitems.h"

MainMenuBar::MainMenuBar(QWidget* parent) : QMenuBar(parent) {
    using Items = std::initializer_list<menuitems::Item<MainMenuBar>>;
    MnuDatei = addMenu(QStringLiteral("Datei"));
    menuitems::fill(MnuDatei, this,
                    Items{{&MainMenuBar::MnuOpen, "Pattern öffnen (laden)", "Ctrl+O"},
                          {&MainMenuBar::MnuLoadSong, "Lade Song", "Ctrl+L"},
                          {&MainMenuBar::MnuMix, "Mische Spuren ein", "Ctrl+M"},
                          {&MainMenuBar::MnuSaveAs, "Speichern unter...", "F12"},
                          {&MainMenuBar::MnuSaveSong, "Speichere Song", "Ctrl+S"},
                          {&MainMenuBar::MnuSavMidi, "Exportiere Pattern als Midi", "Ctrl+E"},
                          {&MainMenuBar::MnuSavMidiSong, "Exportiere Song als Midi", ""}});
    Strich1 = MnuDatei->addSeparator();
    MnuRecent = MnuDatei->addMenu(tr("Zuletzt geöffnet"));
    MnuRecent->setEnabled(false);
    Strich3 = MnuDatei->addSeparator();
    menuitems::fill(MnuDatei, this, Items{{&MainMenuBar::MnuEnd, "Ende", ""}});
    MnuBearbeiten = addMenu(QStringLiteral("Bearbeiten"));
    menuitems::fill(MnuBearbeiten, this,
                    Items{{&MainMenuBar::MnuCopy, "Copy", ""},
                          {&MainMenuBar::MnuCut, "Cut", ""},
                          {&MainMenuBar::MnuInsert, "Insert", ""}});
    Strich2 = MnuBearbeiten->addSeparator();
    menuitems::fill(MnuBearbeiten, this,
                    Items{{&MainMenuBar::MnuUndo, "Rückgängig", "Ctrl+Z"},
                          {&MainMenuBar::MnuRedo, "Wiederholen", "Ctrl+Y"}});
    MnuRedo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    MnuUndo->setEnabled(false);
    MnuRedo->setEnabled(false);
    MnuHelpMain = addMenu(QStringLiteral("?"));
    menuitems::fill(MnuHelpMain, this, Items{{&MainMenuBar::MnuInfo, "Info", ""}});
}
