#include "runtimefolder.h"

#include <QDir>
#include <QFile>

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
