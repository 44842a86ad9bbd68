#pragma once

#include "classentry.h"
#include "hresult.h"

class QWidget;

namespace hosting {

class ControlModule;

// Creates instances of one class; every instance and every lock counts against unloading
// the module.
class ClassFactory {
public:
    ClassFactory(ControlModule* module, const ClassEntry* entry) : module_(module), entry_(entry) {}

    // The new object (a ControlWidget for controls), owned by parent; nullptr on failure.
    QWidget* createInstance(QWidget* parent = nullptr);
    HRESULT lockServer(bool lock);
    const ClassEntry& entry() const { return *entry_; }

private:
    ControlModule* module_;
    const ClassEntry* entry_;
};

}  // namespace hosting
