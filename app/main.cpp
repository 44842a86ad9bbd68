#include "form1.h"
#include "shell/appversion.h"
#include "system/interruptwatcher.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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
    "  --version        Version ausgeben\n"
    "  --help           diese Hilfe ausgeben\n";

bool hasArgument(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], name) == 0) return true;
    return false;
}

// Without a display and without a chosen platform, Qt would abort; draw offscreen instead.
void chooseOffscreenWithoutDisplay() {
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
    if (hasArgument(argc, argv, "--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    chooseOffscreenWithoutDisplay();
    ensureRuntimeFolder();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Beatloft"));
    QApplication::setApplicationVersion(appversion::text());

    Form1 form;
    form.show();
    sys::InterruptWatcher interrupts;
    QObject::connect(&interrupts, &sys::InterruptWatcher::interrupted, &app,
                     &QApplication::closeAllWindows);
    return QApplication::exec();
}
