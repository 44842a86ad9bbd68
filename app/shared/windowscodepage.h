#pragma once

#include <QByteArray>
#include <QString>

// 8-bit text of the program's files: the Windows-1252 code page. Every byte decodes to one
// character and encodes back to the same byte. A character outside the code page is written
// as '?', as Windows writes it; *lost (when given) then becomes true and is otherwise left
// as it was, so one flag can gather a whole file.
QByteArray toWindowsCodePage(const QString& text, bool* lost = nullptr);
QString fromWindowsCodePage(const QByteArray& bytes);

// What the user is told, once per file, when a name could not be written as it stands.
QString lostCharactersText();
