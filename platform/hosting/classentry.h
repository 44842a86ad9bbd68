#pragma once

#include <QString>
#include <QUuid>
#include <functional>

class QWidget;

namespace hosting {

// Misc status of every control of the libraries: recompose on resize, can't link inside,
// inside-out, activate when visible, set client site first.
inline constexpr quint32 kControlMiscStatus = 0x20191;

// One creatable class of a control module: a control or a property page.
struct ClassEntry {
    QUuid clsid;
    QString progId;         // e.g. "SONAPORT.MidiOutputCtrl.1"
    QString className;      // e.g. "CMidiOutputCtrl"
    QString typeName;       // registered name, e.g. "Orlenz - MidiOutput Control"
    bool isControl = true;  // false: a property page
    quint32 miscStatus = 0;
    int toolboxBitmap = 0;  // resource number of the toolbox bitmap
    int aboutDialog = 0;    // resource number of the About dialog
    QString threadingModel = QStringLiteral("Apartment");
    std::function<QWidget*(QWidget* parent)> create;
};

}  // namespace hosting
