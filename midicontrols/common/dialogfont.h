#pragma once

#include <QFont>

namespace sonaport {

// The font of the library's dialogs: MS Sans Serif, 8 points, or what the system puts in
// its place.
QFont dialogFont();

}  // namespace sonaport
