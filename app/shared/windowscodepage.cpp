#include "windowscodepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray toWindowsCodePage(const QString& text) {
    QStringEncoder encoder("windows-1252");
    return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toLatin1();
}

QString fromWindowsCodePage(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.isValid() ? QString(decoder.decode(bytes)) : QString::fromLatin1(bytes);
}
