#pragma once

#include "sonaportcontrol.h"

namespace sonaport {

// A control with a Value between Min and Max (dispatch identifiers 1, 2, 3), persisted as
// "Min", "Max", "Value" after the stock state; defaults 0, 127, 64. Each control decides
// what putting them does.
class RangeControl : public SonaportControl {
    Q_OBJECT
    Q_PROPERTY(qint32 Value READ value WRITE setValue)
    Q_PROPERTY(qint32 Min READ min WRITE setMin)
    Q_PROPERTY(qint32 Max READ max WRITE setMax)

public:
    enum PropertyId : hosting::DispId { DispValue = 1, DispMin = 2, DispMax = 3 };

    using SonaportControl::SonaportControl;

    qint32 value() const { return value_; }
    qint32 min() const { return min_; }
    qint32 max() const { return max_; }
    virtual void setValue(qint32 value) = 0;
    virtual void setMin(qint32 min) = 0;
    virtual void setMax(qint32 max) = 0;

    QVariant getProperty(hosting::DispId id, const QVariantList& index = {}) override;
    void putProperty(hosting::DispId id, const QVariant& value,
                     const QVariantList& index = {}) override;

    void initNew() override;
    void saveProperties(hosting::PropertyBag& bag) const override;
    void loadProperties(const hosting::PropertyBag& bag) override;

protected:
    // Shows the values a load has stored.
    virtual void showLoaded() {}

    qint32 value_ = 64;
    qint32 min_ = 0;
    qint32 max_ = 127;
};

}  // namespace sonaport
