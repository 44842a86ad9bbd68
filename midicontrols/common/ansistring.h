#pragma once

#include <QByteArray>
#include <QVariant>

namespace sonaport {

// A String argument passed on as an 8-bit character string: bytes as they are, text in
// Latin-1 (so every code 0..255 passes through). DISP_E_TYPEMISMATCH for anything else.
QByteArray toAnsiString(const QVariant& value);

}  // namespace sonaport
