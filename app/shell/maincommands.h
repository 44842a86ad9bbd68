#pragma once

#include "shell/keyrouter.h"

#include <QObject>
#include <memory>

class Form1;
class FrmPrint;
class MidiExport;
class PatternCommands;
class PatternFile;
class Transport;
class SongFile;
class SongList;

// The main window's commands: toolbar presses routed by key, the menu items, and leaving the
// program through "End" (after asking), "Ende" or the close box.
class MainCommands : public QObject {
    Q_OBJECT

public:
    MainCommands(Form1& form, PatternCommands& commands, PatternFile& patternFile,
                 Transport& transport, SongList& songList, SongFile& songFile,
                 MidiExport& midiExport);
    ~MainCommands() override;

    // A toolbar button was pressed: its command, or the undefined-key message.
    void Toolbar1_ButtonClick(const QString& key);
    // Replaces the command a key runs (a subsystem that routes its own command).
    void route(const QString& key, KeyRouter::Command command);
    void Command1_Click();
    void MnuEnd_Click();
    // Shows the print preview and draws the symbol.
    void printCommand();
    FrmPrint& printPreview();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addRoutes(PatternCommands& commands, PatternFile& patternFile, SongList& songList,
                   SongFile& songFile, MidiExport& midiExport);
    void connectMenus(PatternCommands& commands, PatternFile& patternFile, SongList& songList,
                      SongFile& songFile, MidiExport& midiExport);
    void stopPlayback();

    Form1& form_;
    Transport& transport_;
    KeyRouter router_;
    std::unique_ptr<FrmPrint> print_;
};
