#include "icontitlefont.h"

#include <QApplication>
#include <QFontDatabase>

namespace sonaport {

QFont iconTitleFont() {
#ifdef Q_OS_WIN
    return QFontDatabase::systemFont(QFontDatabase::TitleFont);
#else
    return QApplication::font();
#endif
}

}  // namespace sonaport
