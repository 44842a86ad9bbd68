#pragma once

#include <QFont>

namespace sonaport {

// The font of the controls' child windows: the system's icon-title font where the system
// has one, otherwise the application's default font.
QFont iconTitleFont();

}  // namespace sonaport
