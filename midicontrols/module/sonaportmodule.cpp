#include "sonaportmodule.h"

#include "midicontrols/midioutput/cmidioutputctrl.h"
#include "midicontrols/midioutput/cmidioutputproppage.h"

namespace sonaport {

namespace {

template <typename T>
QWidget* make(QWidget* parent) {
    return new T(parent);
}

hosting::ClassEntry controlEntry(const ControlRow& row) {
    hosting::ClassEntry entry;
    entry.clsid = row.ids.control;
    entry.progId = row.progId;
    entry.className = QStringLiteral("C%1Ctrl").arg(row.name);
    entry.typeName = row.typeName;
    entry.isControl = true;
    entry.miscStatus = kMiscStatus;
    entry.toolboxBitmap = row.toolboxBitmap;
    entry.aboutDialog = row.aboutDialog;
    entry.create = row.createControl;
    return entry;
}

hosting::ClassEntry pageEntry(const ControlRow& row) {
    hosting::ClassEntry entry;
    entry.clsid = row.ids.propPage;
    entry.progId = row.pageProgId;
    entry.className = QStringLiteral("C%1PropPage").arg(row.name);
    entry.typeName = row.pageName;
    entry.isControl = false;
    entry.create = row.createPage;
    return entry;
}

QList<hosting::TypeLibraryInterface> interfacesOf(const ControlRow& row) {
    const QString control = row.name + QStringLiteral(" Control");
    return {
        {QStringLiteral("_D") + row.name, row.ids.dispatch,
         QStringLiteral("Dispatch interface for ") + control},
        {QStringLiteral("_D%1Events").arg(row.name), row.ids.events,
         QStringLiteral("Event interface for ") + control},
        {row.name, row.ids.control, control},
    };
}

// Created when the library is loaded, so a container can create a control by its CLSID
// before anything else of the library has been called.
[[maybe_unused]] const hosting::ControlModule& loadedModule = module();

}  // namespace

QList<ControlRow> controlRows() {
    return {
        {QStringLiteral("MidiOutput"), ids::kMidiOutput,
         QStringLiteral("SONAPORT.MidiOutputCtrl.1"), QStringLiteral("Orlenz - MidiOutput Control"),
         QStringLiteral("SONAPORT.MidiOutputPropPage.1"),
         QStringLiteral("MidiOutput Property Page"), 2, 2, make<CMidiOutputCtrl>,
         make<CMidiOutputPropPage>},
    };
}

hosting::TypeLibrary typeLibrary() {
    hosting::TypeLibrary library;
    library.libid = ids::kLibrary;
    library.name = QStringLiteral("SONAPORT");
    library.majorVersion = 1;
    library.minorVersion = 0;
    library.helpFile = QStringLiteral("SONAPORT.hlp");
    for (const ControlRow& row : controlRows()) library.interfaces += interfacesOf(row);
    return library;
}

QList<hosting::ClassEntry> classTable() {
    QList<hosting::ClassEntry> classes;
    for (const ControlRow& row : controlRows()) classes << controlEntry(row) << pageEntry(row);
    return classes;
}

hosting::ControlModule& module() {
    static hosting::ControlModule theModule(typeLibrary(), classTable(),
                                            QStringLiteral("SONAPORT"));
    return theModule;
}

}  // namespace sonaport

HOSTING_DEFINE_MODULE_EXPORTS(sonaport::module)
