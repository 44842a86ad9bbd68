#include "datafolder.h"

#include "system/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString datafolder::prepare() {
    const QString beside = sys::ProgramFolder::path() + QStringLiteral("/Data");
    if (QDir().mkpath(beside) && QFileInfo(beside).isWritable()) return beside;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                        QStringLiteral("/Beatloft");
    QDir().mkpath(own);
    return own;
}
