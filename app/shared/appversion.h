#pragma once

#include <QString>

// The running version, shown by the about box and the song file and compared by the
// version check.
namespace appversion {

inline constexpr int kMajor = 1;
inline constexpr int kMinor = 0;
inline constexpr int kRevision = 28;

inline QString text() {
    return QStringLiteral("%1.%2.%3").arg(kMajor).arg(kMinor).arg(kRevision);
}

}  // namespace appversion
