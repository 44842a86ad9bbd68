#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace sys {

// A file at a fixed place inside one of the user's folders (the XDG data or configuration
// folder), where anyone who could write there may have planted a symbolic link, a FIFO or
// a device. It is reached without following links: a part below the folder that is a link
// or of the wrong kind leaves the file alone, so nothing outside the folder is read or
// written and a special file never blocks or floods the reader. The folder itself may be a
// link; that is the user's own choice.
class UserFolderFile {
public:
    // name is relative to folder, its parts separated by '/'.
    UserFolderFile(QString folder, QString name);

    QString path() const { return folder_ + u'/' + name_; }

    // Every part of the name is a real folder or absent, and the last part is absent or
    // a regular file (isPlainFile) or a real folder (isPlainFolder); none is a link.
    bool isPlainFile() const;
    bool isPlainFolder() const;

    // The contents, empty when the file is absent; nothing when it is not plain or holds
    // more than cap bytes. Reads at most cap + 1 bytes.
    std::optional<QByteArray> read(qint64 cap) const;
    // Replaces a plain file atomically, creating the missing folders; false when the file is
    // not plain or cannot be written.
    bool write(const QByteArray& contents) const;

private:
    enum class Kind { File, Folder };
    bool isPlain(Kind last) const;

    QString folder_;
    QString name_;
};

}  // namespace sys
