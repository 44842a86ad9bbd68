#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace sys {

namespace {
QString& overridePath() {
    static QString folder;
    return folder;
}

const QString kInstalledFiles = QStringLiteral("share/beatloft");

// The files lie beside the program in the build tree and in ../share/beatloft once it is
// installed.
QString filesFolder(const QString& programFolder) {
    if (QFileInfo::exists(programFolder + QStringLiteral("/Instrumentation.txt")))
        return programFolder;
    const QString installed =
        QDir::cleanPath(programFolder + QStringLiteral("/../") + kInstalledFiles);
    return QFileInfo(installed).isDir() ? installed : programFolder;
}

bool isOwnedByUser(const QFileInfo& folder) {
#ifdef Q_OS_UNIX
    return folder.ownerId() == ::getuid();
#else
    return true;
#endif
}

}  // namespace

QString ProgramFolder::path() {
    if (!overridePath().isEmpty()) return overridePath();
    return filesFolder(QCoreApplication::applicationDirPath());
}

void ProgramFolder::setPath(const QString& folder) {
    overridePath() = folder;
}

bool ProgramFolder::isUsersOwn(const QString& folder) {
    const QFileInfo info(folder);
    return !QDir::cleanPath(info.absoluteFilePath()).endsWith(u'/' + kInstalledFiles) &&
           isOwnedByUser(info) && info.isWritable();
}

QString ProgramFolder::rawCommandLine(const QStringList& arguments) {
    QStringList quoted;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        quoted << QLatin1Char('"') + arguments[i] + QLatin1Char('"');
    return quoted.join(QLatin1Char(' '));
}

}  // namespace sys
