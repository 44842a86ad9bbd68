#include "desktopentry.h"

namespace sys {

namespace {

// Characters that make an Exec argument need double quotes.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

bool needsQuotes(const QString& word) {
    for (const QChar c : word)
        if (kReserved.contains(c)) return true;
    return false;
}

QString quoted(const QString& word) {
    QString text = QStringLiteral("\"");
    for (const QChar c : word) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') text += u'\\';
        text += c;
    }
    return text + u'"';
}

// The escapes of a string value in a desktop entry file.
QString escapedValue(const QString& value) {
    QString text;
    for (const QChar c : value) {
        if (c == u'\\')
            text += QStringLiteral("\\\\");
        else if (c == u'\n')
            text += QStringLiteral("\\n");
        else if (c == u'\t')
            text += QStringLiteral("\\t");
        else if (c == u'\r')
            text += QStringLiteral("\\r");
        else
            text += c;
    }
    return text;
}

}  // namespace

QString DesktopEntry::execProgram(const QString& program) {
    QString word = needsQuotes(program) ? quoted(program) : program;
    word.replace(u'%', QStringLiteral("%%"));  // a lone % would start a field code
    return escapedValue(word);
}

bool DesktopEntry::canStart(const QString& program) {
    for (const QChar c : program)
        if (c == u'%' || c.category() == QChar::Other_Control) return false;
    return true;
}

QByteArray DesktopEntry::text(const QString& program, const QStringList& mimeTypes) {
    const QString entry = QStringLiteral(
                              "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=Beatloft\n"
                              "GenericName=Schlagzeug-Pattern-Editor\n"
                              "GenericName[en]=Drum Pattern Editor\n"
                              "Comment=Programm zum Erstellen von Drum-Patterns\n"
                              "Comment[de]=Programm zum Erstellen von Drum-Patterns\n"
                              "Comment[en]=Program for creating drum patterns\n"
                              "Exec=%1 %f\n"
                              "Icon=beatloft\n"
                              "Terminal=false\n"
                              "MimeType=%2;\n"
                              "Categories=AudioVideo;Audio;Midi;\n")
                              .arg(execProgram(program), mimeTypes.join(u';'));
    return entry.toUtf8();
}

}  // namespace sys
