#pragma once

#include "common/sonaportids.h"

#include <QString>
#include <functional>

class QWidget;

namespace sonaport {

// One control of the library as the module registers it: the control class and its
// property page. Class names, interface names and help strings follow from name.
struct ControlRow {
    QString name;  // coclass name, e.g. "MidiOutput"
    ids::ControlIds ids;
    QString progId;      // e.g. "SONAPORT.MidiOutputCtrl.1"
    QString typeName;    // string 2n-1, e.g. "Orlenz - MidiOutput Control"
    QString pageProgId;  // e.g. "SONAPORT.MidiOutputPropPage.1"
    QString pageName;    // string 2n, e.g. "MidiOutput Property Page"
    int toolboxBitmap = 0;
    int aboutDialog = 0;
    std::function<QWidget*(QWidget* parent)> createControl;
    std::function<QWidget*(QWidget* parent)> createPage;
};

}  // namespace sonaport
