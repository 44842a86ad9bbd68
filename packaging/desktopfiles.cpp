// Writes the desktop entry, the MIME package and the icons of the install tree into the
// folder named as the only argument. The installed entry starts the program from the PATH.
#include "system/documenttypes.h"

#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Aufruf: beatloft_desktop_files ZIELORDNER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const sys::DocumentTypes types(folder, QString(), QStringLiteral("beatloft"));
    types.add(QStringLiteral(".drm"), QStringLiteral("Drum-Pattern"));
    types.add(QStringLiteral(".dsg"), QStringLiteral("Drum-Song"));
    for (const char* file :
         {"applications/beatloft.desktop", "mime/packages/beatloft.xml",
          "icons/hicolor/scalable/apps/beatloft.svg", "icons/hicolor/48x48/apps/beatloft.png"}) {
        if (QFileInfo::exists(folder + u'/' + QLatin1String(file))) continue;
        std::fprintf(stderr, "beatloft_desktop_files: %s fehlt\n", file);
        return 1;
    }
    return 0;
}
