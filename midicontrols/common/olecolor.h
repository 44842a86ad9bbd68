#pragma once

#include <QColor>
#include <QPalette>

namespace sonaport {

// A container colour as a colour value: 0x00BBGGRR, or 0x80000000 + a system colour index,
// which is looked up in palette.
QColor translateColor(quint32 oleColor, const QPalette& palette);

}  // namespace sonaport
