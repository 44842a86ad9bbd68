#include "tempprogramfolder.h"

#include "system/programfolder.h"

#include <QDir>
#include <QFile>

TempProgramFolder::TempProgramFolder() {
    const QDir data(QStringLiteral(BEATLOFT_SOURCE_DATA_DIR));
    for (const QString& name : data.entryList(QDir::Files))
        QFile::copy(data.filePath(name), dir_.filePath(name));
    sys::ProgramFolder::setPath(dir_.path());
}

TempProgramFolder::~TempProgramFolder() {
    sys::ProgramFolder::setPath({});
}

void TempProgramFolder::writeFile(const QString& name, const QByteArray& contents) const {
    QFile file(filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(contents);
}

void TempProgramFolder::removeFile(const QString& name) const {
    QFile::remove(filePath(name));
}
