#pragma once

#include "netcheck/hostsettings.h"

#include <QCoreApplication>
#include <QString>
#include <memory>

class Form1;
class Info;
class VersionCheck;
class frmOptions;
class GridGeometry;
class GridKeyboard;
class GridNames;
class InstrumentRows;
class MainCommands;
class MidiExport;
class MidiImportCommand;
class PatternCommands;
class PatternFile;
class PatternPlayback;
class PatternView;
class RowMixMenu;
class ChartPrint;
class ControlOutput;
class Transport;
class DocumentState;
class QuitGuard;
class RecentFiles;
class SongFile;
class SongList;
class SongPlayback;
class UndoHistory;
class WavExport;
namespace sys {
class SingleInstance;
}

// The program: the main window and every subsystem working on it, wired once here, and
// the start-up that brings them up in order.
class Beatloft {
    Q_DECLARE_TR_FUNCTIONS(Beatloft)

public:
    // Editor: the window a user works in. Headless: a document bounced or played from the
    // command line, which is no second instance of the editor and so is not warned about.
    enum class StartMode { Editor, Headless };

    // Runs the whole start-up; rawCommandLine is the text after the program's own path.
    explicit Beatloft(const QString& rawCommandLine = {}, StartMode mode = StartMode::Editor);
    ~Beatloft();

    Form1& form() { return *form_; }
    GridGeometry& geometry() { return *geometry_; }
    GridKeyboard& gridKeyboard() { return *gridKeyboard_; }
    PatternView& patternView() { return *patternView_; }
    RowMixMenu& rowMix() { return *rowMix_; }
    Transport& transport() { return *transport_; }
    ControlOutput& output() { return *output_; }
    PatternPlayback& playback() { return *playback_; }
    PatternFile& patternFile() { return *patternFile_; }
    PatternCommands& commands() { return *commands_; }
    SongList& songList() { return *songList_; }
    SongFile& songFile() { return *songFile_; }
    SongPlayback& songPlayback() { return *songPlayback_; }
    MidiExport& midiExport() { return *midiExport_; }
    MidiImportCommand& midiImport() { return *midiImport_; }
    WavExport& wavExport() { return *wavExport_; }
    ChartPrint& chartPrint() { return *chartPrint_; }
    MainCommands& mainCommands() { return *mainCommands_; }
    UndoHistory& undoHistory() { return *undo_; }
    DocumentState& documents() { return *documents_; }
    QuitGuard& quitGuard() { return *quitGuard_; }
    RecentFiles& recentFiles() { return *recentFiles_; }
    // The windows beside the main one are made when first needed, with the hosts fixed at
    // start-up; the version check makes all three once the main window has been drawn.
    Info& info();
    frmOptions& options();
    VersionCheck& inet();

private:
    void startUp(const QString& rawCommandLine, StartMode mode);
    void warnWhenAnotherInstanceRuns();
    void registerDocumentTypes();
    void setHostSettings();
    void routeWindowCommands();
    void routeOptions();
    void openCommandLineDocument(const QString& rawCommandLine);

    std::unique_ptr<Form1> form_;
    std::unique_ptr<GridGeometry> geometry_;
    std::unique_ptr<PatternView> patternView_;
    std::unique_ptr<ControlOutput> output_;
    std::unique_ptr<GridNames> gridNames_;
    std::unique_ptr<GridKeyboard> gridKeyboard_;
    std::unique_ptr<PatternFile> patternFile_;
    std::unique_ptr<PatternCommands> commands_;
    std::unique_ptr<InstrumentRows> instrumentRows_;
    std::unique_ptr<RowMixMenu> rowMix_;
    std::unique_ptr<SongList> songList_;
    std::unique_ptr<SongFile> songFile_;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<PatternPlayback> playback_;
    std::unique_ptr<SongPlayback> songPlayback_;
    std::unique_ptr<MidiExport> midiExport_;
    std::unique_ptr<MidiImportCommand> midiImport_;
    std::unique_ptr<WavExport> wavExport_;
    std::unique_ptr<ChartPrint> chartPrint_;
    std::unique_ptr<MainCommands> mainCommands_;
    std::unique_ptr<UndoHistory> undo_;
    std::unique_ptr<DocumentState> documents_;
    std::unique_ptr<QuitGuard> quitGuard_;
    std::unique_ptr<RecentFiles> recentFiles_;
    std::unique_ptr<sys::SingleInstance> instance_;
    HostSettings hosts_;
    // The single windows beside the main one, hidden until shown.
    std::unique_ptr<Info> info_;
    std::unique_ptr<frmOptions> options_;
    std::unique_ptr<VersionCheck> inet_;
};
