#include "userfolderfile.h"

#include "boundedread.h"
#include "safefilewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace sys {

UserFolderFile::UserFolderFile(QString folder, QString name)
    : folder_(std::move(folder)), name_(std::move(name)) {}

bool UserFolderFile::isPlainFile() const {
    return isPlain(Kind::File);
}

bool UserFolderFile::isPlainFolder() const {
    return isPlain(Kind::Folder);
}

// QFileInfo looks at a link itself (lstat) when asked isSymLink(); every other question is
// asked only of what is known to be no link.
bool UserFolderFile::isPlain(Kind last) const {
    const QStringList parts = name_.split(u'/', Qt::SkipEmptyParts);
    QString path = folder_;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        path += u'/' + parts[i];
        const QFileInfo info(path);
        if (info.isSymLink()) return false;
        if (!info.exists()) return true;  // what is missing below is made by write()
        const bool wantsFolder = i + 1 < parts.size() || last == Kind::Folder;
        if (wantsFolder ? !info.isDir() : !info.isFile()) return false;
    }
    return true;
}

std::optional<QByteArray> UserFolderFile::read(qint64 cap) const {
    if (!isPlainFile()) return std::nullopt;
    QFile file(path());
    if (!file.exists()) return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray contents = readAtMost(file, cap + 1);
    if (contents.size() > cap) return std::nullopt;
    return contents;
}

bool UserFolderFile::write(const QByteArray& contents) const {
    if (!isPlainFile() || !QDir().mkpath(QFileInfo(path()).path())) return false;
    return SafeFileWriter::writeFile(path(), contents);
}

}  // namespace sys
