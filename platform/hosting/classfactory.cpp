#include "classfactory.h"

#include "controlmodule.h"

#include <QWidget>

namespace hosting {

QWidget* ClassFactory::createInstance(QWidget* parent) {
    if (!entry_->create) return nullptr;
    QWidget* object = entry_->create(parent);
    if (!object) return nullptr;
    module_->objectCreated();
    ControlModule* module = module_;
    QObject::connect(object, &QObject::destroyed, [module] { module->objectDestroyed(); });
    return object;
}

HRESULT ClassFactory::lockServer(bool lock) {
    if (lock)
        module_->lock();
    else
        module_->unlock();
    return S_OK;
}

}  // namespace hosting
