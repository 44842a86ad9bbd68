#pragma once

#include <QList>
#include <QString>
#include <QUuid>

namespace hosting {

struct TypeLibraryInterface {
    QString name;  // e.g. "_DMidiOutput", "_DMidiOutputEvents", "MidiOutput"
    QUuid guid;
    QString helpString;  // e.g. "Dispatch interface for MidiOutput Control"
};

// The description of a control library: its identity and the interfaces it documents.
struct TypeLibrary {
    QUuid libid;
    QString name;
    int majorVersion = 1;
    int minorVersion = 0;
    QString helpFile;
    QList<TypeLibraryInterface> interfaces;
};

}  // namespace hosting
