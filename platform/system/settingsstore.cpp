#include "settingsstore.h"

#include <QSettings>

namespace sys {

namespace {
QSettings store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Beatloft"),
                     QStringLiteral("Beatloft"));
}
QString keyOf(const QString& section, const QString& key) {
    return section + '/' + key;
}
}  // namespace

QVariant SettingsStore::value(const QString& section, const QString& key,
                              const QVariant& defaultValue) {
    return store().value(keyOf(section, key), defaultValue);
}

void SettingsStore::setValue(const QString& section, const QString& key, const QVariant& value) {
    QSettings settings = store();
    settings.setValue(keyOf(section, key), value);
    settings.sync();
}

}  // namespace sys
