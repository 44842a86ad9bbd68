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
    // Whether an entry can start the program from this path. String values hold no control
    // characters (the validator refuses even an escaped line break in Exec), and a percent
    // sign, though written as %% by the rules, is taken literally by launchers that look for
    // the program before they expand field codes, so they refuse the entry.
    static bool canStart(const QString& program);
};

}  // namespace sys
