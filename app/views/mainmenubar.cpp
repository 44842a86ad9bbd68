#include "mainmenubar.h"

#include "views/menuitems.h"

MainMenuBar::MainMenuBar(QWidget* parent) : QMenuBar(parent) {
    using Items = std::initializer_list<menuitems::Item<MainMenuBar>>;
    MnuDatei = addMenu(tr("Datei"));
    menuitems::fill(
        MnuDatei, this,
        Items{{&MainMenuBar::MnuOpen, QT_TR_NOOP("Pattern öffnen (laden)"), "Ctrl+O"},
              {&MainMenuBar::MnuLoadSong, QT_TR_NOOP("Lade Song"), "Ctrl+L"},
              {&MainMenuBar::MnuMix, QT_TR_NOOP("Mische Spuren ein"), "Ctrl+M"},
              {&MainMenuBar::MnuSaveAs, QT_TR_NOOP("Speichern unter..."), "F12"},
              {&MainMenuBar::MnuSaveSong, QT_TR_NOOP("Speichere Song"), "Ctrl+S"},
              {&MainMenuBar::MnuSavMidi, QT_TR_NOOP("Exportiere Pattern als Midi"), "Ctrl+E"},
              {&MainMenuBar::MnuSavMidiSong, QT_TR_NOOP("Exportiere Song als Midi"), ""},
              {&MainMenuBar::MnuImportMidi, QT_TR_NOOP("Midi-Datei importieren…"), ""}});
    MnuWavPattern = MnuDatei->addAction(tr("Pattern als WAV exportieren…"));
    MnuWavSong = MnuDatei->addAction(tr("Song als WAV exportieren…"));
    MnuPrintChart = MnuDatei->addAction(tr("Pattern als Notenblatt drucken…"));
    MnuPrintSongChart = MnuDatei->addAction(tr("Song als Notenblatt drucken…"));
    Strich1 = MnuDatei->addSeparator();
    MnuRecent = MnuDatei->addMenu(tr("Zuletzt geöffnet"));
    MnuRecent->setEnabled(false);
    Strich3 = MnuDatei->addSeparator();
    menuitems::fill(MnuDatei, this, Items{{&MainMenuBar::MnuEnd, QT_TR_NOOP("Ende"), ""}});
    MnuBearbeiten = addMenu(tr("Bearbeiten"));
    menuitems::fill(MnuBearbeiten, this,
                    Items{{&MainMenuBar::MnuCopy, QT_TR_NOOP("Copy"), ""},
                          {&MainMenuBar::MnuCut, QT_TR_NOOP("Cut"), ""},
                          {&MainMenuBar::MnuInsert, QT_TR_NOOP("Insert"), ""}});
    Strich2 = MnuBearbeiten->addSeparator();
    menuitems::fill(MnuBearbeiten, this,
                    Items{{&MainMenuBar::MnuUndo, QT_TR_NOOP("Rückgängig"), "Ctrl+Z"},
                          {&MainMenuBar::MnuRedo, QT_TR_NOOP("Wiederholen"), "Ctrl+Y"}});
    MnuRedo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    MnuUndo->setEnabled(false);
    MnuRedo->setEnabled(false);
    MnuHelpMain = addMenu(QStringLiteral("?"));
    menuitems::fill(MnuHelpMain, this, Items{{&MainMenuBar::MnuInfo, QT_TR_NOOP("Info"), ""}});
}
