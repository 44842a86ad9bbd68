#include "privatesoundserver.h"

#include <QProcess>

namespace {
const char kScript[] = BEATLOFT_SCRIPTS_DIR "/private-pulse";
}

PrivateSoundServer::PrivateSoundServer() {
    if (!dir_.isValid()) {
        reason_ = QStringLiteral("no temporary folder");
        return;
    }
    running_ = script(QStringLiteral("start"));
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
    script(QStringLiteral("stop"));
}

bool PrivateSoundServer::script(const QString& command) {
    QProcess process;
    process.start(QString::fromLatin1(kScript), {command, dir_.path()});
    if (!process.waitForFinished(15000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        reason_ = said.isEmpty() ? QStringLiteral("%1 could not be run").arg(kScript) : said;
        return false;
    }
    return true;
}
