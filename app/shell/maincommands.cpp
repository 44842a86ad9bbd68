#include "maincommands.h"

#include "form1.h"
#include "midifile/midiexport.h"
#include "pattern/patterncommands.h"
#include "pattern/patternfile.h"
#include "shell/drawsymbol.h"
#include "shell/frmprint.h"
#include "song/songfile.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "transport/transport.h"
#include "views/mainmenubar.h"
#include "views/maintoolbar.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QEvent>

MainCommands::MainCommands(Form1& form, PatternCommands& commands, PatternFile& patternFile,
                           Transport& transport, SongList& songList, SongFile& songFile,
                           MidiExport& midiExport)
    : form_(form), transport_(transport) {
    addRoutes(commands, patternFile, songList, songFile, midiExport);
    connectMenus(commands, patternFile, songList, songFile, midiExport);
    connect(form.Toolbar1, &KeyedToolBar::ButtonClick, this, &MainCommands::Toolbar1_ButtonClick);
    connect(form.Command1, &QAbstractButton::clicked, this, &MainCommands::Command1_Click);
    form.installEventFilter(this);  // a close: playback stops before the window goes
}

bool MainCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::Close) stopPlayback();
    return false;
}

MainCommands::~MainCommands() = default;

// The keys in the order they are compared; the commands of the song list, the song file,
// the options and the version check are routed by their subsystems.
void MainCommands::addRoutes(PatternCommands& commands, PatternFile& patternFile,
                             SongList& songList, SongFile& songFile, MidiExport& midiExport) {
    router_.add(QStringLiteral("Neu"), [&commands] { commands.ClearPattern(); });
    router_.add(QStringLiteral("Oeffnen"), [&commands] { commands.MnuOpen_Click(); });
    router_.add(QStringLiteral("Speichern"), [&patternFile] { patternFile.SavePatternFile(); });
    router_.add(QStringLiteral("SpeichernSong"), [&songFile] { songFile.MnuSaveSong_Click(); });
    router_.add(QStringLiteral("Print"), [this] { printCommand(); });
    router_.add(QStringLiteral("Tcut"), [&songList] { songList.MnuCut_Click(); });
    router_.add(QStringLiteral("Tpaste"), [&songList] { songList.MnuInsert_Click(); });
    router_.add(QStringLiteral("Tcopy"), [&songList] { songList.MnuCopy_Click(); });
    router_.add(QStringLiteral("Versionscheck"));
    router_.add(QStringLiteral("SongLaden"), [&songFile] { songFile.MnuLoadSong_Click(); });
    router_.add(QStringLiteral("TSaveMidiPat"), [&midiExport] { midiExport.MnuSavMidi_Click(); });
    router_.add(QStringLiteral("TSaveMidiSong"),
                [&midiExport] { midiExport.MnuSavMidiSong_Click(); });
    for (const char* key : {"TPrintDat", "TOptions", "THelp", "TJPG", "BildLad"})
        router_.add(QString::fromLatin1(key));
}

void MainCommands::connectMenus(PatternCommands& commands, PatternFile& patternFile,
                                SongList& songList, SongFile& songFile, MidiExport& midiExport) {
    connect(form_.Menus->MnuCopy, &QAction::triggered, &songList, &SongList::MnuCopy_Click);
    connect(form_.Menus->MnuCut, &QAction::triggered, &songList, &SongList::MnuCut_Click);
    connect(form_.Menus->MnuInsert, &QAction::triggered, &songList, &SongList::MnuInsert_Click);
    connect(form_.Menus->MnuOpen, &QAction::triggered, &commands, &PatternCommands::MnuOpen_Click);
    connect(form_.Menus->MnuMix, &QAction::triggered, this,
            [&patternFile] { patternFile.LoadPatternFile(); });
    connect(form_.Menus->MnuSaveAs, &QAction::triggered, this,
            [&patternFile] { patternFile.SavePatternFile(); });
    connect(form_.Menus->MnuLoadSong, &QAction::triggered, this,
            [&songFile] { songFile.MnuLoadSong_Click(); });
    connect(form_.Menus->MnuSaveSong, &QAction::triggered, this,
            [&songFile] { songFile.MnuSaveSong_Click(); });
    connect(form_.Menus->MnuSavMidi, &QAction::triggered, this,
            [&midiExport] { midiExport.MnuSavMidi_Click(); });
    connect(form_.Menus->MnuSavMidiSong, &QAction::triggered, this,
            [&midiExport] { midiExport.MnuSavMidiSong_Click(); });
    connect(form_.Menus->MnuEnd, &QAction::triggered, this, &MainCommands::MnuEnd_Click);
}

void MainCommands::route(const QString& key, KeyRouter::Command command) {
    router_.set(key, std::move(command));
}

void MainCommands::Toolbar1_ButtonClick(const QString& key) {
    if (!router_.route(key)) sys::Dialogs::current().message(tr("%1 ist nicht definiert").arg(key));
}

void MainCommands::stopPlayback() {
    transport_.stop();
}

void MainCommands::Command1_Click() {
    if (sys::Dialogs::current().message(tr("Wirklich beenden?"), sys::MessageButtons::OkCancel) !=
        sys::MessageAnswer::Ok)
        return;
    if (form_.close()) QCoreApplication::exit(0);  // every other window goes with it
}

void MainCommands::MnuEnd_Click() {
    form_.close();
}

FrmPrint& MainCommands::printPreview() {
    if (!print_) print_ = std::make_unique<FrmPrint>();
    return *print_;
}

void MainCommands::printCommand() {
    printPreview().show();
    DrawSymbol(printPreview(), 10, 20, 3);
}
