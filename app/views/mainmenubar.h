#pragma once

#include <QMenuBar>

class QAction;
class QMenu;

// The main window's menu bar: its menus and items with their captions and shortcut keys.
class MainMenuBar : public QMenuBar {
    Q_OBJECT

public:
    explicit MainMenuBar(QWidget* parent = nullptr);

    QMenu* MnuDatei = nullptr;
    QAction* MnuOpen = nullptr;
    QAction* MnuLoadSong = nullptr;
    QAction* MnuMix = nullptr;
    QAction* MnuSaveAs = nullptr;
    QAction* MnuSaveSong = nullptr;
    QAction* MnuSavMidi = nullptr;
    QAction* MnuSavMidiSong = nullptr;
    QAction* MnuImportMidi = nullptr;
    QAction* MnuWavPattern = nullptr;      // "Pattern als WAV exportieren…"
    QAction* MnuWavSong = nullptr;         // "Song als WAV exportieren…"
    QAction* MnuPrintChart = nullptr;      // "Pattern als Notenblatt drucken…"
    QAction* MnuPrintSongChart = nullptr;  // "Song als Notenblatt drucken…"
    QAction* Strich1 = nullptr;
    QMenu* MnuRecent = nullptr;  // "Zuletzt geöffnet", filled with the files last used
    QAction* Strich3 = nullptr;
    QAction* MnuEnd = nullptr;
    QMenu* MnuBearbeiten = nullptr;
    QAction* MnuCopy = nullptr;
    QAction* MnuCut = nullptr;
    QAction* MnuInsert = nullptr;
    QAction* Strich2 = nullptr;
    QAction* MnuUndo = nullptr;  // "Rückgängig", enabled while there is a step to undo
    QAction* MnuRedo = nullptr;  // "Wiederholen"
    QMenu* MnuHelpMain = nullptr;
    QAction* MnuInfo = nullptr;
};
