#include "form1.h"
#include "shell/appversion.h"
#include "shell/headlessrun.h"
#include "shell/midilisting.h"
#include "system/documenttypes.h"
#include "system/interruptwatcher.h"
#include "system/programfolder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const char kUsage[] =
    "Aufruf: beatloft [DATEI]\n"
    "Schlagzeug-Pattern-Editor und Step-Sequencer.\n"
    "\n"
    "  DATEI            ein Pattern (.drm) oder ein Song (.dsg), der beim Start geöffnet wird\n"
    "  --list-midi      MIDI-Ausgänge und MIDI-Eingänge auflisten\n"
    "  --render-wav PATTERN.drm AUSGABE.wav [--loops N]\n"
    "                   das Pattern N-mal (1) mit dem eingebauten Synthesizer in eine\n"
    "                   WAV-Datei spielen (44,1 kHz, 16 Bit, Stereo)\n"
    "  --play PATTERN.drm [--seconds N]\n"
    "                   das Pattern ohne Fenster abspielen, N Sekunden oder bis Strg+C\n"
    "  --version        Version ausgeben\n"
    "  --help           diese Hilfe ausgeben\n";

bool hasArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return true;
    return false;
}

// Without a display and without a chosen platform, Qt would abort; draw offscreen instead.
void chooseOffscreenWithoutDisplay(bool headless) {
    if (headless) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    if (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Qt wants a private runtime folder and warns when the session has none (a root login,
// a service); give it one quietly.
void ensureRuntimeFolder() {
#ifdef Q_OS_UNIX
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
    const QString folder = QDir::tempPath() + QStringLiteral("/beatloft-runtime-") +
                           QString::number(getuid());
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
#endif
}

}  // namespace

int main(int argc, char** argv) {
    if (hasArgument(argc, argv, "--version")) {
        std::printf("Beatloft %s\n", qPrintable(appversion::text()));
        return 0;
    }
    if (hasArgument(argc, argv, "--list-midi")) return midilisting::print();
    if (hasArgument(argc, argv, "--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool headless = HeadlessRun::wants(argc, argv);
    chooseOffscreenWithoutDisplay(headless);
    ensureRuntimeFolder();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Beatloft"));
    QApplication::setApplicationVersion(appversion::text());
    QApplication::setWindowIcon(sys::DocumentTypes::icon());
    if (headless) return HeadlessRun::run(QApplication::arguments());

    Form1 form(sys::ProgramFolder::rawCommandLine(QApplication::arguments()));
    // For start-up measurements: end as soon as the window is up.
    if (qEnvironmentVariableIsSet("BEATLOFT_QUIT_AFTER_START"))
        QTimer::singleShot(0, &app, &QApplication::closeAllWindows);
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, &app,
                     &QApplication::closeAllWindows);
    return QApplication::exec();
}
