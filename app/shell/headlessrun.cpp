#include "headlessrun.h"

#include "beatloft.h"
#include "docs/midiexport.h"
#include "docs/patternfile.h"
#include "docs/songfilereader.h"
#include "form1.h"
#include "midi/offlinerenderer.h"
#include "playback/patternbounce.h"
#include "shared/patternstore.h"
#include "shell/commandline.h"
#include "system/consoledialogs.h"
#include "system/interruptwatcher.h"
#include "system/safefilewriter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

void fail(const QString& message) {
    std::fprintf(stderr, "beatloft: %s\n", qUtf8Printable(message));
}

// The pattern opened as the command line opens one, or none (said on stderr) when it
// cannot be read.
std::unique_ptr<Beatloft> openPattern(const QString& path) {
    auto program = std::make_unique<Beatloft>(QString(), Beatloft::StartMode::Headless);
    if (program->patternFile().openDocument(path)) return program;
    fail(QStringLiteral("Pattern kann nicht gelesen werden: %1").arg(path));
    return nullptr;
}

// The song's MIDI file with the pattern fields of a freshly started window, named after the
// song file; false (said on stderr) when the song cannot be read.
bool songMidiFile(const QString& path, std::optional<QByteArray>* bytes) {
    PatternStore store;
    const SongLoadResult song = SongFileReader::read(path, &store);
    if (song.error) {
        fail(QStringLiteral("Song kann nicht gelesen werden: %1 (%2)")
                 .arg(path, song.error->message()));
        return false;
    }
    Beatloft program(QString(), Beatloft::StartMode::Headless);
    const SmfSettings settings =
        MidiExport::settingsOf(program.form(), QFileInfo(path).completeBaseName());
    *bytes = SmfBuilder::exportSong(settings, store, SongFileReader::songRows(song));
    return true;
}

// The pattern's MIDI file, named as the pattern file names it.
bool patternMidiFile(const QString& path, std::optional<QByteArray>* bytes) {
    const auto program = openPattern(path);
    if (program) *bytes = program->midiExport().midiFile(MidiExport::Pattern);
    return bool(program);
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
    const auto program = openPattern(files.value(0));
    if (!program) return 1;
    const auto take = PatternBounce::of(program->form(), loops);
    if (!take) {
        fail(QStringLiteral("Tempo oder SubDivs des Patterns ergeben keine Schrittlänge"));
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
    // Watching from the start: a Ctrl+C while the pattern loads ends the run at once.
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, qApp, &QApplication::quit);
    const auto program = openPattern(line.operands().value(0));
    if (!program) return 1;
    QAbstractButton* play = program->form().BtnPlay;
    play->click();
    const QString seconds = line.value(QStringLiteral("--seconds"));
    if (!seconds.isEmpty())
        QTimer::singleShot(std::chrono::milliseconds(std::llround(seconds.toDouble() * 1000)), qApp,
                           &QApplication::quit);
    QApplication::exec();
    play->click();
    return 0;
}

int HeadlessRun::exportMidi(const CommandLine& line) {
    const QString source = line.operands().value(0), target = line.operands().value(1);
    const bool isSong = source.endsWith(QLatin1String(".dsg"), Qt::CaseInsensitive);
    std::optional<QByteArray> bytes;
    if (!(isSong ? songMidiFile(source, &bytes) : patternMidiFile(source, &bytes))) return 1;
    if (!bytes) {
        fail(MidiExport::kImpossibleText);
        return 1;
    }
    QString error;
    if (!sys::SafeFileWriter::writeFile(target, *bytes, &error)) {
        fail(QStringLiteral("%1 (%2)").arg(MidiExport::writeFailedText(target), error));
        return 1;
    }
    return 0;
}
