#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sys {

namespace {
QString& overridePath() {
    static QString folder;
    return folder;
}

// The files lie beside the program in the build tree and in ../share/beatloft once it is
// installed.
QString filesFolder(const QString& programFolder) {
    if (QFileInfo::exists(programFolder + QStringLiteral("/Instrumentation.txt")))
        return programFolder;
    const QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/beatloft"));
    return QFileInfo(installed).isDir() ? installed : programFolder;
}
}  // namespace

QString ProgramFolder::path() {
    if (!overridePath().isEmpty()) return overridePath();
    return filesFolder(QCoreApplication::applicationDirPath());
}

void ProgramFolder::setPath(const QString& folder) {
    overridePath() = folder;
}

QString ProgramFolder::rawCommandLine(const QStringList& arguments) {
    QStringList quoted;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        quoted << QLatin1Char('"') + arguments[i] + QLatin1Char('"');
    return quoted.join(QLatin1Char(' '));
}

}  // namespace sys
