#include "tapcellmodule.h"

#include "tapcell.h"

namespace tapcell {

namespace {

hosting::TypeLibrary typeLibrary() {
    hosting::TypeLibrary library;
    library.libid = kLibraryId;
    library.name = QStringLiteral("Tapcell");
    library.helpFile = QStringLiteral("Tapcell.hlp");
    library.interfaces = {
        {QStringLiteral("_DTapcell"), kDispatchIid,
         QStringLiteral("Dispatch interface for Tapcell Control")},
        {QStringLiteral("_DTapcellEvents"), kEventsIid,
         QStringLiteral("Event interface for Tapcell Control")},
        {QStringLiteral("Tapcell"), kClsid, QStringLiteral("Tapcell Control")},
    };
    return library;
}

hosting::ClassEntry cellClass() {
    hosting::ClassEntry entry;
    entry.clsid = kClsid;
    entry.progId = QLatin1String(kProgId);
    entry.className = QStringLiteral("Tapcell");
    entry.typeName = QLatin1String(kTypeName);
    entry.miscStatus = hosting::kControlMiscStatus;
    entry.toolboxBitmap = 1;
    entry.create = [](QWidget* parent) { return new Tapcell(parent); };
    return entry;
}

// Made at load time, so a container can create a cell by its CLSID alone.
[[maybe_unused]] const hosting::ControlModule& loadedModule = module();

}  // namespace

hosting::ControlModule& module() {
    static hosting::ControlModule theModule(typeLibrary(), {cellClass()},
                                            QStringLiteral("tapcell"));
    return theModule;
}

}  // namespace tapcell

HOSTING_DEFINE_MODULE_EXPORTS(tapcell::module)
