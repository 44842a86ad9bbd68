#include "privatesoundserver.h"

#include <QFile>
#include <QProcess>

namespace {
const char kScript[] = BEATLOFT_SCRIPTS_DIR "/private-pulse";
}

PrivateSoundServer::PrivateSoundServer(Setup setup) {
    if (!dir_.isValid()) {
        reason_ = QStringLiteral("no temporary folder");
        return;
    }
    QStringList start{QStringLiteral("start"), dir_.path()};
    if (setup == Setup::Plain) start << QStringLiteral("plain");
    running_ = script(start);
    if (!running_) return;
    hadRuntime_ = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    previousRuntime_ = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", dir_.path().toLocal8Bit());
}

PrivateSoundServer::~PrivateSoundServer() {
    if (!running_) return;
    if (hadRuntime_)
        qputenv("XDG_RUNTIME_DIR", previousRuntime_);
    else
        qunsetenv("XDG_RUNTIME_DIR");
    script({QStringLiteral("stop"), dir_.path()});
}

qint64 PrivateSoundServer::daemonPid() const {
    QFile file(dir_.path() + QStringLiteral("/pulse/pid"));
    return running_ && file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

bool PrivateSoundServer::script(const QStringList& arguments) {
    QProcess process;
    process.start(QString::fromLatin1(kScript), arguments);
    if (!process.waitForFinished(15000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        reason_ = said.isEmpty() ? QStringLiteral("%1 could not be run").arg(kScript) : said;
        return false;
    }
    return true;
}
