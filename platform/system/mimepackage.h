#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace sys {

// One document type as the shared MIME database knows it.
struct MimeType {
    QString name;     // application/x-...
    QString glob;     // *.ext
    QString comment;  // the type's description
    QString icon;     // icon name from the theme
};

// The program's own shared-mime-info package: reading back what an earlier start wrote,
// putting one type into it and writing it out again.
class MimePackage {
public:
    // The well-formed types of a package; whatever else the text holds is dropped.
    static QList<MimeType> read(const QByteArray& xml);
    static QByteArray write(const QList<MimeType>& types);
    // Replaces the type of the same name, or appends it.
    static void put(QList<MimeType>& types, const MimeType& type);
};

}  // namespace sys
