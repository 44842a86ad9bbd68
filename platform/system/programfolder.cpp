#include "programfolder.h"

#include <QCoreApplication>

namespace sys {

namespace {
QString& overridePath() {
    static QString folder;
    return folder;
}
}  // namespace

QString ProgramFolder::path() {
    if (!overridePath().isEmpty()) return overridePath();
    return QCoreApplication::applicationDirPath();
}

void ProgramFolder::setPath(const QString& folder) { overridePath() = folder; }

QString ProgramFolder::rawCommandLine(const QStringList& arguments) {
    QStringList quoted;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        quoted << QLatin1Char('"') + arguments[i] + QLatin1Char('"');
    return quoted.join(QLatin1Char(' '));
}

}  // namespace sys
