#pragma once

#include "controlrow.h"
#include "hosting/controlmodule.h"

#include <QList>

namespace sonaport {

// The library's controls, one row each, in the order of their string and bitmap numbers.
QList<ControlRow> controlRows();

hosting::TypeLibrary typeLibrary();
QList<hosting::ClassEntry> classTable();

// The library's one module; it exists from the moment the library is loaded.
hosting::ControlModule& module();

}  // namespace sonaport
