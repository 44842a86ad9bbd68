#include "beatloft.h"

#include "form1.h"
#include "midifile/midiexport.h"
#include "midifile/midiimportcommand.h"
#include "netcheck/versioncheck.h"
#include "pattern/commandlinedocument.h"
#include "pattern/gridgeometry.h"
#include "pattern/gridkeyboard.h"
#include "pattern/gridnames.h"
#include "pattern/instrumentrows.h"
#include "pattern/patterncommands.h"
#include "pattern/patternfile.h"
#include "pattern/patternview.h"
#include "pattern/rowmixmenu.h"
#include "shared/datafolder.h"
#include "shared/midiclocksetting.h"
#include "shell/afterfirstpaint.h"
#include "shell/backingstoreahead.h"
#include "shell/chartprint.h"
#include "shell/documentstate.h"
#include "shell/frmoptions.h"
#include "shell/info.h"
#include "shell/maincommands.h"
#include "shell/quitguard.h"
#include "shell/recentfiles.h"
#include "shell/wavexport.h"
#include "song/songfile.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "system/documenttypes.h"
#include "system/singleinstance.h"
#include "transport/controloutput.h"
#include "transport/patternplayback.h"
#include "transport/songplayback.h"
#include "transport/transport.h"
#include "undo/undohistory.h"
#include "views/mainmenubar.h"

#include <QAction>
#include <QFrame>
#include <functional>
#include <initializer_list>

namespace {

// From showing the window on, a failing step is skipped and the next one runs: whatever a
// step throws ends that step only.
void skippingFailures(std::initializer_list<std::function<void()>> steps) {
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
        }
    }
}

}  // namespace

Beatloft::Beatloft(const QString& rawCommandLine, StartMode mode)
    : form_(std::make_unique<Form1>()),
      geometry_(std::make_unique<GridGeometry>(*form_)),
      patternView_(std::make_unique<PatternView>(*form_, *geometry_)),
      output_(std::make_unique<ControlOutput>(*form_)),
      gridNames_(std::make_unique<GridNames>(*form_, *geometry_)),
      gridKeyboard_(std::make_unique<GridKeyboard>(*form_, *geometry_)),
      patternFile_(std::make_unique<PatternFile>(*form_, *patternView_)),
      commands_(std::make_unique<PatternCommands>(*form_, *geometry_, *patternView_, *output_,
                                                  *patternFile_)),
      instrumentRows_(std::make_unique<InstrumentRows>(*patternView_)),
      rowMix_(std::make_unique<RowMixMenu>(*form_)),
      songList_(std::make_unique<SongList>(*form_, *patternView_)),
      songFile_(std::make_unique<SongFile>(*form_, *songList_)),
      transport_(std::make_unique<Transport>(patternView_->pattern(), songList_->song(), *output_)),
      playback_(std::make_unique<PatternPlayback>(*form_, *transport_)),
      songPlayback_(std::make_unique<SongPlayback>(*form_, *songList_, *transport_)),
      midiExport_(std::make_unique<MidiExport>(*form_, *patternView_, *songList_)),
      midiImport_(std::make_unique<MidiImportCommand>(*form_, *patternView_)),
      wavExport_(std::make_unique<WavExport>(*form_, *patternView_, *songList_, rowMix_->mix())),
      chartPrint_(std::make_unique<ChartPrint>(*form_, *patternView_, *songList_)),
      mainCommands_(std::make_unique<MainCommands>(*form_, *commands_, *patternFile_, *transport_,
                                                   *songList_, *songFile_, *midiExport_)),
      undo_(std::make_unique<UndoHistory>(*form_, *geometry_, *patternView_, *songList_)),
      documents_(std::make_unique<DocumentState>(*form_, *patternView_, *songList_, *undo_,
                                                 *patternFile_, *songFile_)),
      quitGuard_(std::make_unique<QuitGuard>(*form_, *documents_, *patternFile_, *songFile_,
                                             mode == StartMode::Editor)),
      recentFiles_(std::make_unique<RecentFiles>(*form_->Menus->MnuRecent, *commands_,
                                                 *patternFile_, *songFile_)) {
    transport_->setRowMix(&rowMix_->mix());
    QObject::connect(songList_.get(), &SongList::rowRemoved, transport_.get(),
                     &Transport::songRowRemoved);
    QObject::connect(songList_.get(), &SongList::rowInserted, transport_.get(),
                     &Transport::songRowInserted);
    startUp(rawCommandLine, mode);
}

// The version check goes first: it holds on to the about box and the options.
Beatloft::~Beatloft() {
    inet_.reset();
}

void Beatloft::startUp(const QString& rawCommandLine, StartMode mode) {
    Form1& form = *form_;
    if (mode == StartMode::Editor) warnWhenAnotherInstanceRuns();
    // Once the window is up, the version check binds its socket and asks its hosts, and the
    // desktop learns our document types: writing its files and starting its database tools
    // would only hold up the first paint.
    if (mode == StartMode::Editor)
        new AfterFirstPaint(form_.get(), [this] {
            inet().initWinsocks();
            registerDocumentTypes();
        });
    setHostSettings();
    frmOptions::applyStoredJackAutoConnect();
    transport_->setClockEnabled(MidiClockSetting::isOn());
    form.DataPath = datafolder::prepare();
    songList_->prepareHeader();
    form.FrameText->hide();
    geometry_->recordLayoutWidths();
    form.MixMode = true;
    skippingFailures({
        [&] { form.show(); },
        [&] { BackingStoreAhead::prepare(&form); },  // mapped in while the grid is built
        [&] { output_->selectStartDevice(); },
        [&] { form.createBeatLines(); },
        [&] { geometry_->RebuildGrid(); },
        [&] { form.createInstrumentLabels(); },
        [&] { rowMix_->addToLabels(); },
        [&] { patternView_->takeInstrumentLabels(); },
        [&] { instrumentRows_->readInstrumentList(); },
        [&] { gridNames_->nameAllCells(); },  // the cells take their rows' new names
        [&] { openCommandLineDocument(rawCommandLine); },
    });
    undo_->clear();  // undoing ends at the pattern the program started with
    documents_->markStart();
}

void Beatloft::registerDocumentTypes() {
    sys::DocumentTypes::RegisterDocumentType(QStringLiteral(".drm"),
                                             QStringLiteral("Drum-Pattern"));
    sys::DocumentTypes::RegisterDocumentType(QStringLiteral(".dsg"), QStringLiteral("Drum-Song"));
}

void Beatloft::warnWhenAnotherInstanceRuns() {
    instance_ = std::make_unique<sys::SingleInstance>(QStringLiteral("beatloft"));
    if (instance_->isAnotherRunning())
        sys::Dialogs::current().message(tr("es läuft noch eine Instanz des Programmes"));
}

// The hosts are fixed here for the whole run; the windows that use them are made with them.
void Beatloft::setHostSettings() {
    hosts_ = HostSettings::fromEnvironment();
    form_->VersionHost = hosts_.VersionHost;
    form_->ReportHost = hosts_.ReportHost;
    form_->HomePageUrl = hosts_.HomePageUrl;
    routeWindowCommands();
}

Info& Beatloft::info() {
    if (!info_) {
        info_ = std::make_unique<Info>(hosts_.VersionHost, hosts_.HomePageUrl);
        info_->writeDescription();
    }
    return *info_;
}

frmOptions& Beatloft::options() {
    if (!options_) {
        options_ = std::make_unique<frmOptions>();
        options_->OptionsSetting();
        routeOptions();
    }
    return *options_;
}

VersionCheck& Beatloft::inet() {
    if (!inet_) inet_ = VersionCheck::create(info(), options(), hosts_);
    return *inet_;
}

void Beatloft::routeWindowCommands() {
    QObject::connect(form_->Menus->MnuInfo, &QAction::triggered, form_.get(),
                     [this] { info().showInfo(); });
    QObject::connect(form_->Menus->MnuImportMidi, &QAction::triggered, form_.get(),
                     [this] { midiImport_->run(); });
    mainCommands_->route(QStringLiteral("Versionscheck"), [this] { inet().startUserCheck(); });
    mainCommands_->route(QStringLiteral("TOptions"), [this] { options().showOptions(); });
}

void Beatloft::routeOptions() {
    QObject::connect(options_.get(), &frmOptions::versionCheckRequested, options_.get(),
                     [this] { inet().startUserCheck(); });
    QObject::connect(options_.get(), &frmOptions::midiClockChosen, transport_.get(),
                     &Transport::setClockEnabled);
}

void Beatloft::openCommandLineDocument(const QString& rawCommandLine) {
    const CommandLineDocument document = CommandLineDocument::parse(rawCommandLine);
    if (document.kind == CommandLineDocument::Pattern) patternFile_->openDocument(document.path);
    if (document.kind == CommandLineDocument::Song) songFile_->openDocument(document.path);
}
