#pragma once

#include <QString>
#include <QVariant>

namespace sys {

// The per-user settings store, addressed by section and key under the application
// "Beatloft" (an INI file in the user's configuration folder).
class SettingsStore {
public:
    static QVariant value(const QString& section, const QString& key,
                          const QVariant& defaultValue = {});
    static void setValue(const QString& section, const QString& key, const QVariant& value);
};

}  // namespace sys
