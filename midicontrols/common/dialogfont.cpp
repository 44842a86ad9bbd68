#include "dialogfont.h"

namespace sonaport {

QFont dialogFont() {
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace sonaport
