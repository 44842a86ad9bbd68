#include "sonaportmodule.h"

#include "midichannel/cmidichannelctrl.h"
#include "midichannel/cmidichannelproppage.h"
#include "midiinput/cmidiinputctrl.h"
#include "midiinput/cmidiinputproppage.h"
#include "midikeyboard/cmidikeyboardctrl.h"
#include "midikeyboard/cmidikeyboardproppage.h"
#include "midioutput/cmidioutputctrl.h"
#include "midioutput/cmidioutputproppage.h"
#include "midislider/cmidisliderctrl.h"
#include "midislider/cmidisliderproppage.h"
#include "midispinner/cmidispinnerctrl.h"
#include "midispinner/cmidispinnerproppage.h"

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
    entry.miscStatus = hosting::kControlMiscStatus;
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

// A control's row from its name, its number (which gives its type name string 2n - 1, its
// page name string 2n, its bitmap and About dialog) and its classes.
template <typename Control, typename Page>
ControlRow rowOf(const QString& name, const ids::ControlIds& ids, int number,
                 const QString& typeName = {}) {
    return {name,
            ids,
            QStringLiteral("SONAPORT.%1Ctrl.1").arg(name),
            typeName.isEmpty() ? QStringLiteral("Orlenz - %1 Control").arg(name) : typeName,
            QStringLiteral("SONAPORT.%1PropPage.1").arg(name),
            QStringLiteral("%1 Property Page").arg(name),
            number,
            number,
            make<Control>,
            make<Page>};
}

}  // namespace

QList<ControlRow> controlRows() {
    return {
        rowOf<CMidiInputCtrl, CMidiInputPropPage>(QStringLiteral("MidiInput"), ids::kMidiInput, 1),
        rowOf<CMidiOutputCtrl, CMidiOutputPropPage>(QStringLiteral("MidiOutput"), ids::kMidiOutput,
                                                    2),
        rowOf<CMidiChannelCtrl, CMidiChannelPropPage>(QStringLiteral("MidiChannel"),
                                                      ids::kMidiChannel, 3),
        rowOf<CMidiSliderCtrl, CMidiSliderPropPage>(
            QStringLiteral("MidiSlider"), ids::kMidiSlider, 4,
            QStringLiteral("Orlenz - MidiSlider Control (Vertical)")),
        rowOf<CMidiSpinnerCtrl, CMidiSpinnerPropPage>(QStringLiteral("MidiSpinner"),
                                                      ids::kMidiSpinner, 5),
        rowOf<CMidiKeyboardCtrl, CMidiKeyboardPropPage>(QStringLiteral("MidiKeyboard"),
                                                        ids::kMidiKeyboard, 6),
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
