#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// Redirects the settings store and the user's configuration, data and runtime folders into a
// temporary folder for as long as the object lives.
class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();

    QString path() const { return dir_.path(); }
    QString configPath() const { return dir_.filePath(QStringLiteral("config")); }
    QString dataPath() const { return dir_.filePath(QStringLiteral("data")); }
    QString runtimePath() const { return dir_.filePath(QStringLiteral("runtime")); }

private:
    QTemporaryDir dir_;
    QByteArray oldConfig_;
    QByteArray oldData_;
    QByteArray oldRuntime_;
};
