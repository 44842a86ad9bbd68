#include "runtimefolder.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sys {

#ifdef Q_OS_UNIX
namespace {

// lstat, so that a link to someone else's folder does not count as the folder.
bool isPrivateFolder(const QByteArray& path) {
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 07777) == 0700;
}

// The folder made for this run alone goes with the run, so none is left behind in the
// temporary folder. Made before the exit handler is registered, the path outlives it; the
// handler needs nothing of Qt, whose statics may be gone by then.
void removeAtExit(const QByteArray& folder) {
    static std::filesystem::path made;
    const bool registered = !made.empty();
    made = folder.constData();
    if (!registered)
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
}

}  // namespace

QString RuntimeFolder::fixedPath() {
    return QDir::tempPath() + QStringLiteral("/beatloft-runtime-") + QString::number(::getuid());
}

void RuntimeFolder::ensure() {
    if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) return;
    QByteArray folder = QFile::encodeName(fixedPath());
    ::mkdir(folder.constData(), 0700);
    if (!isPrivateFolder(folder)) {
        folder = QFile::encodeName(QDir::tempPath()) + "/beatloft-runtime-XXXXXX";
        if (!::mkdtemp(folder.data())) return;
        removeAtExit(folder);
    }
    qputenv("XDG_RUNTIME_DIR", folder);
}
#else
QString RuntimeFolder::fixedPath() {
    return QString();
}

void RuntimeFolder::ensure() {}
#endif

}  // namespace sys
