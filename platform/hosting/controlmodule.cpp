#include "controlmodule.h"

#include "classregistry.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace hosting {

namespace {

// Every module of a library loaded into the process.
QList<ControlModule*>& loadedModules() {
    static QList<ControlModule*> modules;
    return modules;
}

QString guidText(const QUuid& id) {
    return id.toString(QUuid::WithBraces).toUpper();
}

QString classSection(const QUuid& clsid) {
    return QStringLiteral("CLSID\\") + guidText(clsid);
}

QString progIdSection(const QString& progId) {
    return QStringLiteral("ProgID\\") + progId;
}

// A ProgID is a letter followed by letters, digits and periods, at most 39 characters.
bool isValidProgId(const QString& progId) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9.]{0,38}$"));
    return progId.isEmpty() || pattern.match(progId).hasMatch();
}

bool isRegistrable(const ClassEntry& entry) {
    return !entry.clsid.isNull() && isValidProgId(entry.progId);
}

}  // namespace

ControlModule::ControlModule(TypeLibrary typeLibrary, QList<ClassEntry> classes,
                             QString libraryName)
    : typeLibrary_(std::move(typeLibrary)),
      classes_(std::move(classes)),
      libraryName_(std::move(libraryName)) {
    for (const ClassEntry& entry : std::as_const(classes_))
        factories_.push_back(std::make_unique<ClassFactory>(this, &entry));
    loadedModules().append(this);
}

ControlModule::~ControlModule() {
    loadedModules().removeAll(this);
}

HRESULT ControlModule::getClassObject(const QUuid& clsid, ClassFactory** factory) {
    if (!factory) return E_POINTER;
    *factory = nullptr;
    for (const auto& candidate : factories_) {
        if (candidate->entry().clsid == clsid) {
            *factory = candidate.get();
            return S_OK;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ControlModule::canUnloadNow() const {
    return objects_ == 0 && locks_ == 0 ? S_OK : S_FALSE;
}

HRESULT ControlModule::registerServer() {
    ClassRegistry registry(registryPath());
    if (!registry.open()) return SELFREG_E_TYPELIB;
    writeTypeLibrary(registry);
    if (!registry.save()) return SELFREG_E_TYPELIB;
    if (!std::all_of(classes_.cbegin(), classes_.cend(), isRegistrable)) return SELFREG_E_CLASS;
    for (const ClassEntry& entry : classes_) writeClass(registry, entry);
    return registry.save() ? S_OK : SELFREG_E_CLASS;
}

HRESULT ControlModule::unregisterServer() {
    ClassRegistry registry(registryPath());
    if (!registry.open()) return SELFREG_E_TYPELIB;
    registry.removeTree(typeLibrarySection());
    if (!registry.save()) return SELFREG_E_TYPELIB;
    for (const ClassEntry& entry : classes_) removeClass(registry, entry);
    return registry.save() ? S_OK : SELFREG_E_CLASS;
}

QString ControlModule::typeLibrarySection() const {
    return QStringLiteral("TypeLib\\%1\\%2.%3")
        .arg(guidText(typeLibrary_.libid))
        .arg(typeLibrary_.majorVersion)
        .arg(typeLibrary_.minorVersion);
}

void ControlModule::writeTypeLibrary(ClassRegistry& registry) const {
    const QString section = typeLibrarySection();
    registry.removeTree(section);
    registry.setValue(section, QStringLiteral("Name"), typeLibrary_.name);
    registry.setValue(section, QStringLiteral("HelpFile"), typeLibrary_.helpFile);
    registry.setValue(section, QStringLiteral("Library"), libraryName_);
    for (const TypeLibraryInterface& item : typeLibrary_.interfaces) {
        const QString below = section + '\\' + item.name;
        registry.setValue(below, QStringLiteral("Guid"), guidText(item.guid));
        registry.setValue(below, QStringLiteral("HelpString"), item.helpString);
    }
}

void ControlModule::writeClass(ClassRegistry& registry, const ClassEntry& entry) const {
    const QString section = classSection(entry.clsid);
    registry.removeTree(section);
    registry.setValue(section, QStringLiteral("Class"), entry.className);
    registry.setValue(section, QStringLiteral("TypeName"), entry.typeName);
    registry.setValue(section, QStringLiteral("InprocServer"), libraryName_);
    registry.setValue(section, QStringLiteral("ThreadingModel"), entry.threadingModel);
    if (entry.isControl) {
        registry.setValue(section, QStringLiteral("Control"), QStringLiteral("1"));
        registry.setValue(section, QStringLiteral("MiscStatus"), QString::number(entry.miscStatus));
        registry.setValue(section, QStringLiteral("ToolboxBitmap"),
                          libraryName_ + ',' + QString::number(entry.toolboxBitmap));
        registry.setValue(section, QStringLiteral("TypeLib"), guidText(typeLibrary_.libid));
        registry.setValue(
            section, QStringLiteral("Version"),
            QStringLiteral("%1.%2").arg(typeLibrary_.majorVersion).arg(typeLibrary_.minorVersion));
    }
    if (entry.progId.isEmpty()) return;
    registry.setValue(section, QStringLiteral("ProgID"), entry.progId);
    const QString progId = progIdSection(entry.progId);
    registry.removeTree(progId);
    registry.setValue(progId, QStringLiteral("CLSID"), guidText(entry.clsid));
    registry.setValue(progId, QStringLiteral("TypeName"), entry.typeName);
}

// A ProgID now naming another class belongs to that class and stays.
void ControlModule::removeClass(ClassRegistry& registry, const ClassEntry& entry) const {
    registry.removeTree(classSection(entry.clsid));
    if (entry.progId.isEmpty()) return;
    const QString progId = progIdSection(entry.progId);
    if (registry.value(progId, QStringLiteral("CLSID")) == guidText(entry.clsid))
        registry.removeTree(progId);
}

QString ControlModule::registryPath() {
    const QString overridden = qEnvironmentVariable("BEATLOFT_CLASS_REGISTRY");
    if (!overridden.isEmpty()) return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Beatloft/classes.ini");
}

QWidget* ControlModule::createControl(const QUuid& clsid, QWidget* parent, HRESULT* result) {
    HRESULT outcome = CLASS_E_CLASSNOTAVAILABLE;
    QWidget* control = nullptr;
    for (ControlModule* module : std::as_const(loadedModules())) {
        ClassFactory* factory = nullptr;
        if (module->getClassObject(clsid, &factory) != S_OK) continue;
        control = factory->createInstance(parent);
        outcome = control ? S_OK : E_FAIL;
        break;
    }
    if (result) *result = outcome;
    return control;
}

}  // namespace hosting
