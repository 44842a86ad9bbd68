#include "beatloft.h"

#include "docs/datafolder.h"
#include "docs/patternfile.h"
#include "form1.h"
#include "pattern/commandlinedocument.h"
#include "pattern/gridgeometry.h"
#include "pattern/instrumentrows.h"
#include "pattern/patterncommands.h"
#include "playback/patternplayback.h"
#include "shell/maincommands.h"
#include "song/songlist.h"
#include "system/dialogs.h"
#include "system/singleinstance.h"

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
      playback_(std::make_unique<PatternPlayback>(*form_)),
      patternFile_(std::make_unique<PatternFile>(*form_)),
      commands_(std::make_unique<PatternCommands>(*form_, *geometry_, *playback_, *patternFile_)),
      instrumentRows_(std::make_unique<InstrumentRows>(*form_)),
      songList_(std::make_unique<SongList>(*form_)),
      mainCommands_(std::make_unique<MainCommands>(*form_, *commands_, *patternFile_, *playback_)) {
    startUp(rawCommandLine, mode);
}

Beatloft::~Beatloft() = default;

void Beatloft::startUp(const QString& rawCommandLine, StartMode mode) {
    Form1& form = *form_;
    if (mode == StartMode::Editor) warnWhenAnotherInstanceRuns();
    setHostSettings();
    form.DataPath = datafolder::prepare();
    songList_->prepareHeader();
    geometry_->recordLayoutWidths();
    form.MixMode = true;
    skippingFailures({
        [&] { form.show(); },
        [&] { playback_->selectStartDevice(); },
        [&] { form.createBeatLines(); },
        [&] { geometry_->RebuildGrid(); },
        [&] { form.createInstrumentLabels(); },
        [&] { instrumentRows_->readInstrumentList(); },
        [&] { openCommandLineDocument(rawCommandLine); },
    });
}

void Beatloft::warnWhenAnotherInstanceRuns() {
    instance_ = std::make_unique<sys::SingleInstance>(QStringLiteral("beatloft"));
    if (instance_->isAnotherRunning())
        sys::Dialogs::current().message(
            QStringLiteral("es läuft noch eine Instanz des Programmes"));
}

void Beatloft::setHostSettings() {
    form_->VersionHost = QStringLiteral("beatloft.example.org");
    form_->ReportHost = QStringLiteral("report.beatloft.example.org");
    form_->HomePageUrl = QStringLiteral("https://beatloft.example.org/");
}

void Beatloft::openCommandLineDocument(const QString& rawCommandLine) {
    const CommandLineDocument document = CommandLineDocument::parse(rawCommandLine);
    if (document.kind == CommandLineDocument::Pattern) patternFile_->openDocument(document.path);
}
