#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// Redirects the settings store and the user's configuration and data folders into a
// temporary folder for as long as the object lives.
class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();

    QString path() const { return dir_.path(); }
    QString configPath() const { return dir_.filePath(QStringLiteral("config")); }
    QString dataPath() const { return dir_.filePath(QStringLiteral("data")); }

private:
    QTemporaryDir dir_;
    QByteArray oldConfig_;
    QByteArray oldData_;
};
