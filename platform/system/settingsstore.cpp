#include "settingsstore.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace sys {

namespace {
QSettings store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Beatloft"),
                     QStringLiteral("Beatloft"));
}
// Where the store lies; a FIFO, a device or a folder there is never opened (opening a FIFO
// blocks, a device may never end), so the defaults hold and nothing is written.
bool isUsable() {
    const QFileInfo file(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                         QStringLiteral("/Beatloft/Beatloft.ini"));
    return !file.exists() || file.isFile();
}
QString keyOf(const QString& section, const QString& key) {
    return section + '/' + key;
}
}  // namespace

QVariant SettingsStore::value(const QString& section, const QString& key,
                              const QVariant& defaultValue) {
    if (!isUsable()) return defaultValue;
    return store().value(keyOf(section, key), defaultValue);
}

void SettingsStore::setValue(const QString& section, const QString& key, const QVariant& value) {
    if (!isUsable()) return;
    QSettings settings = store();
    settings.setValue(keyOf(section, key), value);
    settings.sync();
}

}  // namespace sys
