#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sys {

// The program's desktop entry: how a launcher names it and starts it with a document.
class DesktopEntry {
public:
    static QByteArray text(const QString& program, const QStringList& mimeTypes);
    // The program as the first word of an Exec line: quoted and escaped where its path holds
    // blanks or other reserved characters, written as the value of the key.
    static QString execProgram(const QString& program);
};

}  // namespace sys
