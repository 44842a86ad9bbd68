#include "datafolder.h"

#include "system/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString datafolder::prepare() {
    const QString program = sys::ProgramFolder::path();
    const QString beside = program + QStringLiteral("/Data");
    if (sys::ProgramFolder::isUsersOwn(program) && QDir().mkpath(beside) &&
        QFileInfo(beside).isWritable())
        return beside;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/Beatloft");
    QDir().mkpath(own);
    return own;
}
