#include "headlessrun.h"

#include "cli/commandline.h"
#include "cli/progressline.h"
#include "midi/offlinerenderer.h"
#include "midifile/midiexport.h"
#include "midifile/midiimport.h"
#include "pattern/instrumentrows.h"
#include "pattern/pattern.h"
#include "pattern/patternbounce.h"
#include "pattern/patternfile.h"
#include "pattern/patternreader.h"
#include "shared/midiclocksetting.h"
#include "shared/windowscodepage.h"
#include "song/song.h"
#include "song/songbounce.h"
#include "song/songcodec.h"
#include "system/consoledialogs.h"
#include "system/interruptwatcher.h"
#include "system/safefilewriter.h"
#include "system/samefile.h"
#include "transport/deviceoutput.h"
#include "transport/transport.h"

#include <QCoreApplication>
#include <QFileInfo>
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

// A document as the command line opens one: a pattern over the start-up pattern, or a song
// played with the start-up pattern's instrument rows and tempo.
struct Document {
    Pattern pattern = InstrumentRows::startPattern();
    Song song;
    bool isSong = false;
};

bool readPattern(const QString& path, Pattern* pattern) {
    QByteArray bytes;
    if (!PatternReader::readBytes(path, &bytes)) return false;
    PatternReader reader(bytes, false, true);
    const bool complete = reader.read(pattern);
    if (reader.unassigned() > 0)
        fail(HeadlessRun::tr("%1 Instrument(e) konnten nicht zugewiesen werden!")
                 .arg(reader.unassigned()));
    return complete;
}

// The document, or none (said on stderr) when it cannot be read.
std::optional<Document> openDocument(const QString& path) {
    Document document;
    document.isSong = isSong(path);
    if (document.isSong) {
        const auto error = SongCodec::readSong(path, &document.song);
        if (!error) return document;
        fail(error->message() + QLatin1Char('\n') + path);
        return std::nullopt;
    }
    if (readPattern(path, &document.pattern)) return document;
    fail(HeadlessRun::tr("Pattern kann nicht gelesen werden: %1").arg(path));
    return std::nullopt;
}

// The progress line ends before any message about the render is printed.
bool renderWithProgress(const PatternBounce::Take& take, const QString& path, QString* error) {
    ProgressLine progress(QStringLiteral("WAV:"));
    return midi::OfflineRenderer::renderToWav(take.messages, take.seconds, path, error,
                                              &sys::InterruptWatcher::hasCaught,
                                              [&progress](double done) { progress.show(done); });
}

}  // namespace

int HeadlessRun::run(const CommandLine& line) {
    sys::ConsoleDialogs console;
    sys::Dialogs::install(&console);
    int code = refuseOverwritingSource(line);
    if (code == 0) code = runCommand(line);
    sys::Dialogs::install(nullptr);
    return code;
}

int HeadlessRun::runCommand(const CommandLine& line) {
    switch (line.command()) {
        case CommandLine::Command::RenderWav:
            return renderWav(line);
        case CommandLine::Command::ExportMidi:
            return exportMidi(line);
        case CommandLine::Command::ImportMidi:
            return importMidi(line);
        default:
            return play(line);
    }
}

int HeadlessRun::refuseOverwritingSource(const CommandLine& line) {
    const QStringList files = line.operands();
    if (files.size() < 2 || !sys::isSameFile(files[0], files[1])) return 0;
    fail(HeadlessRun::tr("Die Ausgabe würde die Eingabe überschreiben: %1").arg(files[1]));
    return 2;
}

int HeadlessRun::renderWav(const CommandLine& line) {
    const QStringList files = line.operands();
    const int loops = line.value(QStringLiteral("--loops"), QStringLiteral("1")).toInt();
    const auto document = openDocument(files.value(0));
    if (!document) return 1;
    const auto take = document->isSong ? SongBounce::of(document->song, document->pattern, loops)
                                       : PatternBounce::of(document->pattern, loops);
    if (!take) {
        fail(HeadlessRun::tr("Tempo oder SubDivs ergeben keine Schrittlänge"));
        return 1;
    }
    if (take->tooManyMessages) {
        fail(HeadlessRun::tr("Zu viele Noten für eine WAV-Datei (höchstens %1 MIDI-Ereignisse)")
                 .arg(PatternBounce::kMaxMessages));
        return 1;
    }
    QString error;
    if (!renderWithProgress(*take, files.value(1), &error)) {
        fail(HeadlessRun::tr("WAV-Datei nicht geschrieben: %1").arg(error));
        return 1;
    }
    return 0;
}

int HeadlessRun::play(const CommandLine& line) {
    // Watching from the start: a Ctrl+C while the document loads ends the run at once.
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, qApp,
                     &QCoreApplication::quit);
    const auto document = openDocument(line.operands().value(0));
    if (!document) return 1;
    DeviceOutput output;
    Transport transport(document->pattern, document->song, output);
    transport.setClockEnabled(MidiClockSetting::isOn());
    // A song stops when it is over; its last notes still ring out. The timers that end a run
    // go with its transport, so that they never end a run that follows it.
    QObject::connect(
        &transport, &Transport::stateChanged, qApp, [&transport](Transport::State state) {
            if (state == Transport::State::Stopped)
                QTimer::singleShot(
                    std::chrono::milliseconds(std::llround(PatternBounce::kTailSeconds * 1000)),
                    &transport, [] { QCoreApplication::quit(); });
        });
    if (document->isSong)
        transport.playSong();
    else
        transport.playPattern();
    // The run lasts the time asked and plays the steps due within it, no later one.
    const QString seconds = line.value(QStringLiteral("--seconds"));
    if (!seconds.isEmpty()) {
        using namespace std::chrono;
        const auto end = transport.timer().currentDeadline() +
                         duration_cast<StepTimer::Clock::duration>(
                             duration<double>(std::max(0.0, seconds.toDouble())));
        transport.stopAt(end);
        QTimer::singleShot(std::max(0ms, ceil<milliseconds>(end - StepTimer::Clock::now())),
                           Qt::PreciseTimer, &transport, [] { QCoreApplication::quit(); });
    }
    if (transport.state() != Transport::State::Stopped) QCoreApplication::exec();
    transport.stop();
    return 0;
}

int HeadlessRun::exportMidi(const CommandLine& line) {
    const QString source = line.operands().value(0), target = line.operands().value(1);
    const auto document = openDocument(source);
    if (!document) return 1;
    // A song is named after its file, a pattern as its file names it.
    const QString name =
        document->isSong ? QFileInfo(source).completeBaseName() : document->pattern.name();
    SmfBuilder::Refusal refusal{};
    const auto bytes =
        MidiExport::midiFile(document->isSong ? MidiExport::Song : MidiExport::Pattern,
                             document->pattern, document->song, name, &refusal);
    if (!bytes) {
        fail(MidiExport::refusalText(refusal));
        return 1;
    }
    QString error;
    if (!sys::SafeFileWriter::writeFile(target, *bytes, &error)) {
        fail(QStringLiteral("%1 (%2)").arg(MidiExport::writeFailedText(target), error));
        return 1;
    }
    if (!MidiExport::keepsName(name)) sys::Dialogs::current().message(lostCharactersText());
    return 0;
}

int HeadlessRun::importMidi(const CommandLine& line) {
    const QString source = line.operands().value(0), target = line.operands().value(1);
    QByteArray bytes;
    QString error = HeadlessRun::tr("nicht lesbar");
    std::optional<MidiImport::Result> result;
    if (PatternReader::readBytes(source, &bytes))
        result = MidiImport::fromBytes(bytes, InstrumentRows::startPattern(),
                                       QFileInfo(source).completeBaseName(), &error);
    if (!result) {
        fail(HeadlessRun::tr("Midi-Datei kann nicht gelesen werden: %1 (%2)").arg(source, error));
        return 1;
    }
    if (!result->unassigned.isEmpty()) fail(MidiImport::unassignedText(result->unassigned));
    if (result->cut) fail(MidiImport::cutText());
    const QByteArray drm = PatternFile::format(PatternFile::contentsOf(result->pattern));
    if (!sys::SafeFileWriter::writeFile(target, drm, &error)) {
        fail(HeadlessRun::tr("Pattern nicht geschrieben: %1 (%2)").arg(target, error));
        return 1;
    }
    return 0;
}
