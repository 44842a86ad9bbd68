#include "singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace sys {

SingleInstance::SingleInstance(const QString& name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(folder + QLatin1Char('/') + name + QStringLiteral(".lock"));
    lock_->setStaleLockTime(0);  // a crashed instance's lock is taken over by its PID check
    owner_ = lock_->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

}  // namespace sys
