#pragma once

#include "userfolderfile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace sys {

// Announces the program's document types to the desktop through the freedesktop
// conventions: a shared-mime-info package, the program's desktop entry and icon, and the
// program as the default application for each type. A double click on a document then
// starts the program with the document's path.
class DocumentTypes {
public:
    // dataHome receives mime/, applications/ and icons/; configHome the default
    // applications (none when empty); program is what the desktop entry starts.
    DocumentTypes(QString dataHome, QString configHome, QString program);

    // Registers one type for the running program in the user's folders, then has the
    // desktop's databases refreshed without waiting for them. Every failure is ignored.
    // Returns the program's path. BEATLOFT_DESKTOP_REGISTRATION=0 leaves the desktop alone
    // (sandboxed runs, such as the tests of the window).
    static QString RegisterDocumentType(const QString& extension, const QString& typeName);

    // Writes the files for one type; true when any of them changed.
    bool add(const QString& extension, const QString& typeName) const;

    // application/x-beatloft-<last word of the type name>, e.g. "Drum-Song" -> ...-song.
    static QString mimeTypeFor(const QString& typeName);
    // The program's picture, read without a window system: a thread may read it.
    static QImage iconImage();

private:
    UserFolderFile dataFile(const QString& name) const { return {dataHome_, name}; }
    QStringList writePackage(const QString& extension, const QString& typeName,
                             bool& changed) const;
    bool writeIcons() const;
    bool writeDefault(const QString& mimeType) const;
    static void refreshSoon(const QString& dataHome);

    QString dataHome_;
    QString configHome_;
    QString program_;
};

}  // namespace sys
