#pragma once

#include <QByteArray>
#include <QString>

// 8-bit text of the program's files: the Windows-1252 code page. Every byte decodes to one
// character and encodes back to the same byte; a character outside the code page becomes a
// substitute byte.
QByteArray toWindowsCodePage(const QString& text);
QString fromWindowsCodePage(const QByteArray& bytes);
