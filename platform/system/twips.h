#pragma once

#include <QtGlobal>
#include <cmath>

namespace sys {

// Screen lengths in the design are twips; the screen shows 15 twips per pixel.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline double pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

}  // namespace sys
