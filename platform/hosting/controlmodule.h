#pragma once

#include "classentry.h"
#include "classfactory.h"
#include "hresult.h"
#include "typelibrary.h"

#include <QList>
#include <QString>
#include <QUuid>
#include <memory>
#include <vector>

class QWidget;

namespace hosting {

class ClassRegistry;

// What a control library holds besides its controls: its class table, the type library,
// class factories, the count of live objects and locks, and registration into the per-user
// class registry (an INI file; BEATLOFT_CLASS_REGISTRY names another file, for tests).
// A module made by a library is known process-wide, so a container can create a control
// by its CLSID alone.
class ControlModule {
public:
    ControlModule(TypeLibrary typeLibrary, QList<ClassEntry> classes, QString libraryName);
    ~ControlModule();
    ControlModule(const ControlModule&) = delete;
    ControlModule& operator=(const ControlModule&) = delete;

    const TypeLibrary& typeLibrary() const { return typeLibrary_; }
    const QList<ClassEntry>& classes() const { return classes_; }

    // CLASS_E_CLASSNOTAVAILABLE for a CLSID not in the table.
    HRESULT getClassObject(const QUuid& clsid, ClassFactory** factory);
    // S_OK when no object and no lock is alive, else S_FALSE.
    HRESULT canUnloadNow() const;
    // SELFREG_E_TYPELIB or SELFREG_E_CLASS on failure, S_OK otherwise.
    HRESULT registerServer();
    HRESULT unregisterServer();

    void objectCreated() { ++objects_; }
    void objectDestroyed() { objects_ = objects_ > 0 ? objects_ - 1 : 0; }
    void lock() { ++locks_; }
    void unlock() { locks_ = locks_ > 0 ? locks_ - 1 : 0; }

    // $BEATLOFT_CLASS_REGISTRY, else classes.ini in the user's Beatloft configuration folder.
    static QString registryPath();
    // Creates an object (a control or a property page) of any loaded module by its CLSID.
    static QWidget* createControl(const QUuid& clsid, QWidget* parent = nullptr,
                                  HRESULT* result = nullptr);

private:
    void writeTypeLibrary(ClassRegistry& registry) const;
    void writeClass(ClassRegistry& registry, const ClassEntry& entry) const;
    void removeClass(ClassRegistry& registry, const ClassEntry& entry) const;
    QString typeLibrarySection() const;

    TypeLibrary typeLibrary_;
    QList<ClassEntry> classes_;
    QString libraryName_;
    std::vector<std::unique_ptr<ClassFactory>> factories_;
    int objects_ = 0;
    int locks_ = 0;
};

}  // namespace hosting

// Defines the four entry points of a control library over the module that moduleFunction
// (a function returning ControlModule&) gives. Place once in the library.
#define HOSTING_DEFINE_MODULE_EXPORTS(moduleFunction)                                              \
    extern "C" Q_DECL_EXPORT hosting::HRESULT DllRegisterServer() {                                \
        return moduleFunction().registerServer();                                                  \
    }                                                                                              \
    extern "C" Q_DECL_EXPORT hosting::HRESULT DllUnregisterServer() {                              \
        return moduleFunction().unregisterServer();                                                \
    }                                                                                              \
    extern "C" Q_DECL_EXPORT hosting::HRESULT DllGetClassObject(const QUuid* clsid,                \
                                                                hosting::ClassFactory** factory) { \
        if (!clsid || !factory) return hosting::E_POINTER;                                         \
        return moduleFunction().getClassObject(*clsid, factory);                                   \
    }                                                                                              \
    extern "C" Q_DECL_EXPORT hosting::HRESULT DllCanUnloadNow() {                                  \
        return moduleFunction().canUnloadNow();                                                    \
    }
