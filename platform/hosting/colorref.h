#pragma once

#include <QRgb>
#include <QtGlobal>

namespace hosting {

// A colour as controls exchange it: 0x00BBGGRR, red in the low byte.
constexpr QRgb rgbFromColorRef(quint32 color) {
    return qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace hosting
