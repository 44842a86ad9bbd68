#include "soundfontlocator.h"

#include "system/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cstdio>

namespace midi {

namespace {

QMutex foldersMutex;
QStringList replacedFolders;
QMutex reportedMutex;
QStringList reportedFonts;  // every synthesizer of a run passes over the same fonts

QStringList defaultFolders() {
    return {QStringLiteral("/usr/share/sounds/sf2"), QStringLiteral("/usr/share/sounds/sf3")};
}

bool isUsable(const QString& path) {
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.isReadable();
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

QStringList SoundFontLocator::configured() {
    QStringList fonts;
    fonts << sys::SettingsStore::value(QStringLiteral("Midi"), QStringLiteral("SoundFont"))
                 .toString();
    fonts << qEnvironmentVariable("BEATLOFT_SOUNDFONT");
    fonts.removeAll(QString());
    fonts.removeDuplicates();
    return fonts;
}

QStringList SoundFontLocator::named() {
    return configured() << QDir(systemFolders().value(0)).filePath(QStringLiteral("TimGM6mb.sf2"));
}

QStringList SoundFontLocator::candidates() {
    QStringList order = named();
    for (const QString& folder : systemFolders()) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.sf2"), QStringLiteral("*.sf3")},
                                       QDir::Files | QDir::Readable, QDir::Name);
        for (const QFileInfo& file : files) order << file.filePath();
    }

    QStringList found;
    QStringList seen;  // canonical paths: a link to a font already listed adds nothing
    for (const QString& path : order) {
        if (!isUsable(path)) continue;
        const QFileInfo info(path);
        const QString canonical = info.canonicalFilePath();
        if (seen.contains(canonical)) continue;
        seen << canonical;
        found << info.filePath();
    }
    return found;
}

// A named font that is there answers without listing the folders and matching their files.
bool SoundFontLocator::hasAny() {
    const QStringList fonts = named();
    return std::any_of(fonts.begin(), fonts.end(), isUsable) || !candidates().isEmpty();
}

QString SoundFontLocator::find() {
    return candidates().value(0);
}

void SoundFontLocator::reportPassedOver(const QString& loaded) {
    const QString used = QFileInfo(loaded).canonicalFilePath();
    QMutexLocker lock(&reportedMutex);
    for (const QString& font : configured()) {
        if (QFileInfo(font).canonicalFilePath() == used) return;
        if (reportedFonts.contains(font)) continue;
        reportedFonts << font;
        std::fprintf(stderr,
                     "beatloft: Soundfont kann nicht geladen werden: %s; stattdessen wird %s "
                     "verwendet\n",
                     qUtf8Printable(font), qUtf8Printable(loaded));
    }
}

}  // namespace midi
