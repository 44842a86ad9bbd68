#pragma once

#include "ambientproperties.h"
#include "dispatch.h"
#include "system/twipsholder.h"

#include <QSizeF>
#include <QVariantList>
#include <QWidget>

namespace hosting {

class PropertyBag;

// Base of every hosted control: a widget reached by dispatch identifier, raising its
// events both as typed Qt signals (in the subclass) and through eventRaised, and keeping
// its persistent properties in a container's property bag.
class ControlWidget : public QWidget, public Dispatch, public sys::TwipsHolder {
    Q_OBJECT

public:
    explicit ControlWidget(QWidget* parent = nullptr);
    ~ControlWidget() override;

    // The container's ambient properties (not owned; nullptr: the container answers nothing).
    void setAmbient(const AmbientProperties* ambient) { ambient_ = ambient; }
    const AmbientProperties* ambient() const { return ambient_; }
    // True unless the container says it is in design mode.
    bool isUserMode() const;

    // Persistence: a new instance, saving, loading.
    virtual void initNew() {}
    virtual void saveProperties(PropertyBag& bag) const = 0;
    virtual void loadProperties(const PropertyBag& bag) = 0;

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

signals:
    // Every event of the control, for late-bound containers.
    void eventRaised(int dispid, const QVariantList& arguments);

protected:
    // A control with a size of its own returns it here, in twips; it then keeps that size
    // whatever its container sets (through sys::TwipsGeometry or in pixels). An invalid
    // size, the default, leaves the size to the container.
    virtual QSizeF fixedSizeTwips() const { return {}; }
    // Puts the fixed size back; a control calls it when its fixed size changes.
    void keepFixedSize();

    void twipsChanged() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const AmbientProperties* ambient_ = nullptr;
    bool modified_ = false;
    bool keepingSize_ = false;
};

}  // namespace hosting
