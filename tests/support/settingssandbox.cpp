#include "settingssandbox.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace {
void restore(const char* name, const QByteArray& old) {
    if (old.isNull())
        qunsetenv(name);
    else
        qputenv(name, old);
}
}  // namespace

SettingsSandbox::SettingsSandbox()
    : oldConfig_(qgetenv("XDG_CONFIG_HOME")),
      oldData_(qgetenv("XDG_DATA_HOME")),
      oldRuntime_(qgetenv("XDG_RUNTIME_DIR")) {
    QDir().mkpath(configPath());
    QDir().mkpath(dataPath());
    QDir().mkpath(runtimePath());
    QFile::setPermissions(runtimePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimePath().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", configPath().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataPath().toLocal8Bit());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configPath());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configPath());
}

SettingsSandbox::~SettingsSandbox() {
    restore("XDG_CONFIG_HOME", oldConfig_);
    restore("XDG_DATA_HOME", oldData_);
    restore("XDG_RUNTIME_DIR", oldRuntime_);
    const QString home = QDir::homePath() + QStringLiteral("/.config");
    const QString config = oldConfig_.isEmpty() ? home : QString::fromLocal8Bit(oldConfig_);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
}
