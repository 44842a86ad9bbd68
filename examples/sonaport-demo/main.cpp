#include "sonaportdemo.h"

#include "system/dialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    sys::Dialogs::setApplicationTitle(QStringLiteral("SONAPORT Demo"));
    SonaportDemo demo;
    demo.show();
    return app.exec();
}
