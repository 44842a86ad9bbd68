#include "windowscodepage.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

namespace {

// The byte of every character the code page holds, as the decoder reads the bytes.
const QHash<char16_t, char>& bytesOfCharacters() {
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> bytes;
        for (int b = 0; b < 256; ++b) {
            const QString character = fromWindowsCodePage(QByteArray(1, char(b)));
            if (character.size() == 1 && character[0] != QChar::ReplacementCharacter)
                bytes.insert(character[0].unicode(), char(b));
        }
        return bytes;
    }();
    return table;
}

}  // namespace

QByteArray toWindowsCodePage(const QString& text, bool* lost) {
    const QHash<char16_t, char>& bytes = bytesOfCharacters();
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = bytes.constFind(text[i].unicode());
        if (byte != bytes.cend()) {
            out.append(*byte);
            continue;
        }
        // A character beyond the 16-bit range is a surrogate pair: one character, one '?'.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        out.append('?');
        if (lost) *lost = true;
    }
    return out;
}

QString fromWindowsCodePage(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.isValid() ? QString(decoder.decode(bytes)) : QString::fromLatin1(bytes);
}

QString lostCharactersText() {
    return QCoreApplication::translate(
        "WindowsCodePage",
        "Nicht jedes Zeichen der Namen passt in die Datei (Zeichensatz "
        "Windows-1252); solche Zeichen wurden als „?“ gespeichert.");
}
