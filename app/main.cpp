#include "cli/commandline.h"
#include "cli/headlessrun.h"
#include "cli/midilisting.h"
#include "midi/midiservices.h"
#include "shared/appversion.h"
#include "shared/programmodule.h"
#include "shared/uilanguage.h"
#include "system/interruptwatcher.h"
#include "system/runtimefolder.h"
#include "transport/deviceoutput.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

QList<QByteArray> argumentsOf(int argc, char** argv) {
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i) arguments << QByteArray(argv[i]);
    return arguments;
}

// A window needs a display, or a platform chosen by QT_QPA_PLATFORM (offscreen for tests).
bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Lines answered by a text alone: an error, the usage, the version, the MIDI devices, or
// that there is no display for a window.
bool isAnsweredByText(const CommandLine& line) {
    return !line.isValid() || line.command() == CommandLine::Command::Help ||
           line.command() == CommandLine::Command::Version ||
           line.command() == CommandLine::Command::ListMidi ||
           (!line.isHeadless() && !hasDisplay());
}

// Prints the text that answers such a line, in the user's language; the exit code.
int answerByText(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Beatloft"));
    UiLanguage::install(app);
    const CommandLine line = CommandLine::parse(argumentsOf(argc, argv));
    if (!line.isValid()) {
        std::fprintf(stderr, "beatloft: %s\n%s", qUtf8Printable(line.error()),
                     qUtf8Printable(CommandLine::usage()));
        return 2;
    }
    switch (line.command()) {
        case CommandLine::Command::Help:
            std::fputs(qUtf8Printable(CommandLine::usage()), stdout);
            return 0;
        case CommandLine::Command::Version:
            std::printf("Beatloft %s\n", qUtf8Printable(appversion::text()));
            return 0;
        case CommandLine::Command::ListMidi:
            return midilisting::print();
        default:
            break;
    }
    std::fprintf(stderr, "beatloft: %s\n",
                 qUtf8Printable(QCoreApplication::translate("main", "keine Anzeige gefunden")));
    return 1;
}

// The output the window starts with is made ready on a thread: the device list is read while
// the window module loads and the window is built, the synthesizer's sound font once it is
// drawn.
void prepareStartDevice() {
    midi::MidiServices::instance().prepareOutput(DeviceOutput::kStartDevice);
}

// Loads the window module and runs the window in it.
int runWindow(int argc, char** argv) {
    using Run = int (*)(int, char**);
    const auto run =
        reinterpret_cast<Run>(programmodule::entry(BEATLOFT_WINDOW_MODULE, "beatloftRunWindow"));
    if (!run) {
        midi::MidiServices::instance().finishPreparing();  // its thread ends before the program
        return 1;
    }
    return run(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = CommandLine::parse(argumentsOf(argc, argv));
    if (isAnsweredByText(line)) return answerByText(argc, argv);
    // A run without a window ends cleanly on Ctrl+C from its first moment.
    if (line.isHeadless()) sys::InterruptWatcher::catchSignals();
    sys::RuntimeFolder::ensure();
    if (line.isHeadless()) {  // no window: a core application is enough
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("Beatloft"));
        QCoreApplication::setApplicationVersion(appversion::text());
        UiLanguage::install(app);
        return HeadlessRun::run(line);
    }
    prepareStartDevice();
    return runWindow(argc, argv);
}
