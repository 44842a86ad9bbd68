#include "documenttypes.h"

#include "desktopentry.h"
#include "mimeappslist.h"
#include "mimepackage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <optional>
#include <utility>

namespace sys {

namespace {

const char kDesktopId[] = "beatloft.desktop";
const char kIconName[] = "beatloft";
const char kPackage[] = "mime/packages/beatloft.xml";
const qint64 kLargestFileRead = 1 << 20;

// The whole file; empty when it does not exist; nothing when it exists but cannot be read
// whole, so it is left alone rather than replaced by a shortened copy.
std::optional<QByteArray> readFile(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QByteArray();
    if (file.size() > kLargestFileRead || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

// Replaces the file when its contents differ; true when it was written.
bool writeIfChanged(const QString& path, const QByteArray& contents) {
    if (readFile(path) == contents) return false;
    if (!QDir().mkpath(QFileInfo(path).path())) return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() &&
           file.commit();
}

// The desktop's own tools compile the MIME database and the desktop entries' cache; one
// shell runs both in turn, detached, its output dropped, a missing tool ignored.
void refreshDatabases(const QString& dataHome) {
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({QStringLiteral("-c"),
                          QStringLiteral("update-mime-database \"$0/mime\"; "
                                         "update-desktop-database \"$0/applications\""),
                          dataHome});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

QString& pendingRefresh() {
    static QString dataHome;
    return dataHome;
}

}  // namespace

DocumentTypes::DocumentTypes(QString dataHome, QString configHome, QString program)
    : dataHome_(std::move(dataHome)),
      configHome_(std::move(configHome)),
      program_(std::move(program)) {}

QString DocumentTypes::RegisterDocumentType(const QString& extension, const QString& typeName) {
    const QString program = QCoreApplication::applicationFilePath();
    const DocumentTypes types(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), program);
    if (types.add(extension, typeName)) refreshSoon(types.dataHome_);
    return program;
}

bool DocumentTypes::add(const QString& extension, const QString& typeName) const {
    bool changed = false;
    const QStringList mimeTypes = writePackage(extension, typeName, changed);
    changed |= writeIfChanged(dataPath(QStringLiteral("applications/") + kDesktopId),
                              DesktopEntry::text(program_, mimeTypes));
    changed |= writeIcons();
    changed |= writeDefault(mimeTypeFor(typeName));
    return changed;
}

// Puts the type into the package beside those an earlier call wrote; returns the names of
// all of them.
QStringList DocumentTypes::writePackage(const QString& extension, const QString& typeName,
                                        bool& changed) const {
    const QString path = dataPath(QString::fromLatin1(kPackage));
    QList<MimeType> types = MimePackage::read(readFile(path).value_or(QByteArray()));
    const QString glob =
        extension.startsWith(u'.') ? u'*' + extension : QStringLiteral("*.") + extension;
    MimePackage::put(types,
                     {mimeTypeFor(typeName), glob, typeName, QString::fromLatin1(kIconName)});
    changed |= writeIfChanged(path, MimePackage::write(types));
    QStringList names;
    for (const MimeType& type : types) names << type.name;
    return names;
}

bool DocumentTypes::writeIcons() const {
    bool changed = false;
    for (const auto& [resource, target] :
         {std::pair{":/beatloft/beatloft.svg", "icons/hicolor/scalable/apps/beatloft.svg"},
          std::pair{":/beatloft/beatloft-48.png", "icons/hicolor/48x48/apps/beatloft.png"}}) {
        const auto image = readFile(QString::fromLatin1(resource));
        if (image && !image->isEmpty())
            changed |= writeIfChanged(dataPath(QString::fromLatin1(target)), *image);
    }
    return changed;
}

bool DocumentTypes::writeDefault(const QString& mimeType) const {
    if (configHome_.isEmpty()) return false;
    const QString path = configHome_ + QStringLiteral("/mimeapps.list");
    const auto text = readFile(path);
    if (!text) return false;
    return writeIfChanged(
        path, MimeAppsList::withDefault(*text, mimeType, QString::fromLatin1(kDesktopId)));
}

QString DocumentTypes::mimeTypeFor(const QString& typeName) {
    QString word = typeName.section(QRegularExpression(QStringLiteral("[-\\s]+")), -1).toLower();
    word.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
    if (word.isEmpty()) word = QStringLiteral("document");
    return QStringLiteral("application/x-beatloft-") + word;
}

QIcon DocumentTypes::icon() {
    return QIcon(QStringLiteral(":/beatloft/beatloft-48.png"));
}

// Both calls of a start-up land in one refresh, run once the event loop turns, so the
// start-up neither waits for the tools nor races two of them over the same database.
void DocumentTypes::refreshSoon(const QString& dataHome) {
    const bool scheduled = !pendingRefresh().isEmpty();
    pendingRefresh() = dataHome;
    if (scheduled) return;
    QTimer::singleShot(0, [] { refreshDatabases(std::exchange(pendingRefresh(), QString())); });
}

}  // namespace sys
