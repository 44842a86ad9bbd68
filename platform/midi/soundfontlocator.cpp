#include "soundfontlocator.h"

#include "system/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace midi {

namespace {

QMutex foldersMutex;
QStringList replacedFolders;

QStringList defaultFolders() {
    return {QStringLiteral("/usr/share/sounds/sf2"), QStringLiteral("/usr/share/sounds/sf3")};
}

}  // namespace

QStringList SoundFontLocator::systemFolders() {
    QMutexLocker lock(&foldersMutex);
    return replacedFolders.isEmpty() ? defaultFolders() : replacedFolders;
}

void SoundFontLocator::setSystemFolders(const QStringList& folders) {
    QMutexLocker lock(&foldersMutex);
    replacedFolders = folders;
}

QStringList SoundFontLocator::candidates() {
    QStringList order;
    order << sys::SettingsStore::value(QStringLiteral("Midi"), QStringLiteral("SoundFont"))
                 .toString();
    order << qEnvironmentVariable("BEATLOFT_SOUNDFONT");
    const QStringList folders = systemFolders();
    order << QDir(folders.value(0)).filePath(QStringLiteral("TimGM6mb.sf2"));
    for (const QString& folder : folders) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.sf2"), QStringLiteral("*.sf3")},
                                       QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& file : files) order << file.filePath();
    }

    QStringList found;
    QStringList seen;  // canonical paths: a link to a font already listed adds nothing
    for (const QString& path : order) {
        if (path.isEmpty()) continue;
        const QFileInfo info(path);
        if (!info.isFile() || !info.isReadable()) continue;
        const QString canonical = info.canonicalFilePath();
        if (seen.contains(canonical)) continue;
        seen << canonical;
        found << info.filePath();
    }
    return found;
}

QString SoundFontLocator::find() {
    return candidates().value(0);
}

}  // namespace midi
