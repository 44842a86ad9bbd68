#include "headlessrun.h"

#include "beatloft.h"
#include "cli/commandline.h"
#include "docs/midiexport.h"
#include "docs/patternfile.h"
#include "docs/songfile.h"
#include "form1.h"
#include "midi/offlinerenderer.h"
#include "playback/patternbounce.h"
#include "playback/songbounce.h"
#include "shared/windowscodepage.h"
#include "system/consoledialogs.h"
#include "system/interruptwatcher.h"
#include "system/safefilewriter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

void fail(const QString& message) {
    std::fprintf(stderr, "beatloft: %s\n", qUtf8Printable(message));
}

// A song is named by its ending, as on the editor's command line; anything else is a pattern.
bool isSong(const QString& path) {
    return path.endsWith(QLatin1String(".dsg"));
}

// The document opened as the command line opens one, or none (said on stderr) when it
// cannot be read.
std::unique_ptr<Beatloft> openDocument(const QString& path) {
    auto program = std::make_unique<Beatloft>(QString(), Beatloft::StartMode::Headless);
    if (isSong(path)) {
        const auto error = program->songFile().load(path);
        if (!error) return program;
        fail(error->message());
        return nullptr;
    }
    if (program->patternFile().openDocument(path)) return program;
    fail(QStringLiteral("Pattern kann nicht gelesen werden: %1").arg(path));
    return nullptr;
}

// The document's MIDI file: a pattern named as its file names it, a song with the pattern
// fields of a freshly started window, named after the song file. False (said on stderr)
// when the document cannot be read; no bytes (the reason in *refusal) when it gives no valid
// MIDI file. *nameKept tells whether the name goes into the file as it stands.
bool midiFileOf(const QString& path, std::optional<QByteArray>* bytes, SmfBuilder::Refusal* refusal,
                bool* nameKept) {
    const auto program = openDocument(path);
    if (!program) return false;
    const bool song = isSong(path);
    if (song) program->form().txtSongNam->setText(QFileInfo(path).completeBaseName());
    const MidiExport::Mode mode = song ? MidiExport::Song : MidiExport::Pattern;
    *bytes = program->midiExport().midiFile(mode, refusal);
    *nameKept = program->midiExport().keepsName(mode);
    return true;
}

}  // namespace

int HeadlessRun::run(const CommandLine& line) {
    sys::ConsoleDialogs console;
    sys::Dialogs::install(&console);
    int code = 0;
    switch (line.command()) {
        case CommandLine::Command::RenderWav:
            code = renderWav(line);
            break;
        case CommandLine::Command::ExportMidi:
            code = exportMidi(line);
            break;
        default:
            code = play(line);
    }
    sys::Dialogs::install(nullptr);
    return code;
}

int HeadlessRun::renderWav(const CommandLine& line) {
    const QStringList files = line.operands();
    const int loops = line.value(QStringLiteral("--loops"), QStringLiteral("1")).toInt();
    const auto program = openDocument(files.value(0));
    if (!program) return 1;
    const auto take = isSong(files.value(0)) ? SongBounce::of(program->form(), loops)
                                             : PatternBounce::of(program->form(), loops);
    if (!take) {
        fail(QStringLiteral("Tempo oder SubDivs ergeben keine Schrittlänge"));
        return 1;
    }
    QString error;
    if (!midi::OfflineRenderer::renderToWav(take->messages, take->seconds, files.value(1), &error,
                                            &sys::InterruptWatcher::hasCaught)) {
        fail(QStringLiteral("WAV-Datei nicht geschrieben: %1").arg(error));
        return 1;
    }
    return 0;
}

int HeadlessRun::play(const CommandLine& line) {
    // Watching from the start: a Ctrl+C while the document loads ends the run at once.
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, qApp, &QApplication::quit);
    const QString path = line.operands().value(0);
    const auto program = openDocument(path);
    if (!program) return 1;
    QAbstractButton* play = isSong(path) ? program->form().cmdPlySng : program->form().BtnPlay;
    // A song releases its button when it is over; its last notes still ring out.
    QObject::connect(play, &QAbstractButton::toggled, qApp, [](bool down) {
        if (!down)
            QTimer::singleShot(
                std::chrono::milliseconds(std::llround(PatternBounce::kTailSeconds * 1000)), qApp,
                &QApplication::quit);
    });
    play->click();
    const QString seconds = line.value(QStringLiteral("--seconds"));
    if (!seconds.isEmpty())
        QTimer::singleShot(std::chrono::milliseconds(std::llround(seconds.toDouble() * 1000)), qApp,
                           &QApplication::quit);
    QApplication::exec();
    if (play->isChecked()) play->click();
    return 0;
}

int HeadlessRun::exportMidi(const CommandLine& line) {
    const QString source = line.operands().value(0), target = line.operands().value(1);
    std::optional<QByteArray> bytes;
    SmfBuilder::Refusal refusal{};
    bool nameKept = true;
    if (!midiFileOf(source, &bytes, &refusal, &nameKept)) return 1;
    if (!bytes) {
        fail(MidiExport::refusalText(refusal));
        return 1;
    }
    QString error;
    if (!sys::SafeFileWriter::writeFile(target, *bytes, &error)) {
        fail(QStringLiteral("%1 (%2)").arg(MidiExport::writeFailedText(target), error));
        return 1;
    }
    if (!nameKept) sys::Dialogs::current().message(lostCharactersText());
    return 0;
}
