#include "singleinstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <cerrno>

namespace sys {

SingleInstance::SingleInstance(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    const QByteArray path =
        QFile::encodeName(folder + QLatin1Char('/') + name + QStringLiteral(".lock"));
    const int file = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (file < 0) return;  // without a lock file nothing tells of another instance
    if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
        anotherRunning_ = errno == EWOULDBLOCK;
        ::close(file);
        return;
    }
    file_ = file;
    // Who holds it, in the lines earlier versions wrote: their check of a stale lock reads them.
    const QByteArray owner = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                             QCoreApplication::applicationName().toUtf8() + '\n' +
                             QSysInfo::machineHostName().toUtf8() + '\n';
    QFile lines;
    if (lines.open(file_, QIODevice::WriteOnly, QFileDevice::DontCloseHandle) && lines.resize(0))
        lines.write(owner);
}

SingleInstance::~SingleInstance() {
    if (file_ >= 0) ::close(file_);  // lets go of the lock
}

}  // namespace sys
