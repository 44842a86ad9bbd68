#pragma once

#include <QString>

namespace sys {

// The private runtime folder Qt wants (XDG_RUNTIME_DIR), for sessions that give none
// (a root login, a service).
class RuntimeFolder {
public:
    // When XDG_RUNTIME_DIR is not set, sets it to <temp>/beatloft-runtime-<uid>, made when
    // absent, but only when that is a real directory of this user with mode 0700: another
    // user may have made it first. Otherwise to a fresh folder with an unpredictable name,
    // removed when the process exits.
    static void ensure();
    // The fixed folder's path.
    static QString fixedPath();
};

}  // namespace sys
