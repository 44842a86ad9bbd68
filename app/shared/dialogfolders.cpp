#include "dialogfolders.h"

#include "system/settingsstore.h"

#include <QFileInfo>

namespace dialogfolders {

namespace {

const QString kSection = QStringLiteral("Ordner");

QString keyOf(Kind kind) {
    switch (kind) {
        case Kind::Patterns:
            return QStringLiteral("Patterns");
        case Kind::Songs:
            return QStringLiteral("Songs");
        case Kind::MidiExports:
            return QStringLiteral("MidiExports");
    }
    return {};
}

}  // namespace

QString folder(Kind kind, const QString& dataPath) {
    const QString last = sys::SettingsStore::value(kSection, keyOf(kind)).toString();
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : dataPath;
}

void remember(Kind kind, const QString& chosenPath) {
    if (chosenPath.isEmpty()) return;
    sys::SettingsStore::setValue(kSection, keyOf(kind), QFileInfo(chosenPath).absolutePath());
}

}  // namespace dialogfolders
