#include "documenttypes.h"

#include "desktopentry.h"
#include "mimeappslist.h"
#include "mimepackage.h"
#include "userfolderfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <utility>

namespace sys {

namespace {

const char kDesktopId[] = "beatloft.desktop";
const char kIconName[] = "beatloft";
const char kPackage[] = "mime/packages/beatloft.xml";
const qint64 kLargestFileRead = 1 << 20;

// Replaces the file when its contents differ; true when it was written.
bool writeIfChanged(const UserFolderFile& file, const QByteArray& contents) {
    return file.read(kLargestFileRead) != contents && file.write(contents);
}

// The desktop's own tools compile the MIME database, the desktop entries' cache and the
// icon theme's cache; one shell runs them in turn, detached, its output dropped, a missing
// tool ignored. A database folder that is a link is not refreshed: the tool would write where
// the link points. Without its cache, the icon folder we add makes every program's (our own
// too) look-up of a theme icon test each size folder of the theme for each name.
void refreshDatabases(const QString& dataHome) {
    QStringList commands;
    if (UserFolderFile(dataHome, QStringLiteral("mime")).isPlainFolder())
        commands << QStringLiteral("update-mime-database \"$0/mime\"");
    if (UserFolderFile(dataHome, QStringLiteral("applications")).isPlainFolder())
        commands << QStringLiteral("update-desktop-database \"$0/applications\"");
    if (UserFolderFile(dataHome, QStringLiteral("icons/hicolor")).isPlainFolder())
        commands << QStringLiteral("gtk-update-icon-cache -q -t -f \"$0/icons/hicolor\"");
    if (commands.isEmpty()) return;
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({QStringLiteral("-c"), commands.join(QStringLiteral("; ")), dataHome});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

// Said once a run, however many types are registered.
void warnCannotRegister(const QString& program) {
    static bool warned = false;
    if (std::exchange(warned, true)) return;
    QString shown = program;
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control) c = u'?';
    const QString warning = QCoreApplication::translate(
        "DocumentTypes",
        "Dateitypen nicht registriert: der Programmpfad %1 enthält ein Steuer- oder "
        "Prozentzeichen");
    std::fprintf(stderr, "beatloft: %s\n", qUtf8Printable(warning.arg(shown)));
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
    if (qgetenv("BEATLOFT_DESKTOP_REGISTRATION") == "0") return program;
    if (!DesktopEntry::canStart(program)) {
        warnCannotRegister(program);
        return program;
    }
    const DocumentTypes types(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), program);
    if (types.add(extension, typeName)) refreshSoon(types.dataHome_);
    return program;
}

bool DocumentTypes::add(const QString& extension, const QString& typeName) const {
    bool changed = false;
    const QStringList mimeTypes = writePackage(extension, typeName, changed);
    changed |= writeIfChanged(dataFile(QStringLiteral("applications/") + kDesktopId),
                              DesktopEntry::text(program_, mimeTypes));
    changed |= writeIcons();
    changed |= writeDefault(mimeTypeFor(typeName));
    return changed;
}

// Puts the type into the package beside those an earlier call wrote; returns the names of
// all of them.
QStringList DocumentTypes::writePackage(const QString& extension, const QString& typeName,
                                        bool& changed) const {
    const UserFolderFile package = dataFile(QString::fromLatin1(kPackage));
    QList<MimeType> types =
        MimePackage::read(package.read(kLargestFileRead).value_or(QByteArray()));
    const QString glob =
        extension.startsWith(u'.') ? u'*' + extension : QStringLiteral("*.") + extension;
    MimePackage::put(types,
                     {mimeTypeFor(typeName), glob, typeName, QString::fromLatin1(kIconName)});
    changed |= writeIfChanged(package, MimePackage::write(types));
    QStringList names;
    for (const MimeType& type : types) names << type.name;
    return names;
}

bool DocumentTypes::writeIcons() const {
    bool changed = false;
    for (const auto& [resource, target] :
         {std::pair{":/beatloft/beatloft.svg", "icons/hicolor/scalable/apps/beatloft.svg"},
          std::pair{":/beatloft/beatloft-48.png", "icons/hicolor/48x48/apps/beatloft.png"}}) {
        QFile image(QString::fromLatin1(resource));
        if (image.open(QIODevice::ReadOnly))
            changed |= writeIfChanged(dataFile(QString::fromLatin1(target)), image.readAll());
    }
    return changed;
}

bool DocumentTypes::writeDefault(const QString& mimeType) const {
    if (configHome_.isEmpty()) return false;
    const UserFolderFile defaults(configHome_, QStringLiteral("mimeapps.list"));
    const auto text = defaults.read(kLargestFileRead);
    if (!text) return false;
    return writeIfChanged(
        defaults, MimeAppsList::withDefault(*text, mimeType, QString::fromLatin1(kDesktopId)));
}

QString DocumentTypes::mimeTypeFor(const QString& typeName) {
    QString word = typeName.section(QRegularExpression(QStringLiteral("[-\\s]+")), -1).toLower();
    word.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
    if (word.isEmpty()) word = QStringLiteral("document");
    return QStringLiteral("application/x-beatloft-") + word;
}

// Read as the PNG it is: a reader left to find the format asks every image plugin installed
// first, loading each with its libraries.
QImage DocumentTypes::iconImage() {
    QImageReader reader(QStringLiteral(":/beatloft/beatloft-48.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
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
