#pragma once

#include "hosting/controlwidget.h"

#include <QColor>
#include <QUuid>

namespace hosting {
class PropertyBag;
}

namespace sonaport {

// What every control of the library shares: its About box (DISPID -552), the properties
// verb showing its property page, the persisted version stamp and stock state, and the
// container's back colour.
class SonaportControl : public hosting::ControlWidget {
    Q_OBJECT

public:
    // controlName as in "MidiOutput"; pageClsid names the control's property page.
    SonaportControl(const QString& controlName, const QUuid& pageClsid, QWidget* parent);

    QString controlName() const { return controlName_; }

    void AboutBox();
    // The properties verb: the control's property page in a modal frame.
    void showProperties();

    // AboutBox only; every other member is unknown here.
    QVariant getProperty(hosting::DispId id, const QVariantList& index = {}) override;
    void putProperty(hosting::DispId id, const QVariant& value,
                     const QVariantList& index = {}) override;
    QVariant invoke(hosting::DispId id, const QVariantList& arguments = {}) override;

    // The version stamp written before a control's own properties.
    static constexpr quint32 kVersion = 0x00010000;  // 1.0

protected:
    // Version stamp, extent (in twips) and stock properties, written before the control's
    // own properties; reading applies a saved extent.
    void writeStockState(hosting::PropertyBag& bag) const;
    void readStockState(const hosting::PropertyBag& bag);

    // The container's back colour; the system window colour when it does not answer.
    QColor ambientBackColor() const;
    // The back colour taken when the window was created (the ambient one until then).
    QColor backColor() const { return windowCreated_ ? backColor_ : ambientBackColor(); }
    bool isWindowCreated() const { return windowCreated_; }
    // Runs once, at the first show, after the back colour has been taken: a control builds
    // its child windows here.
    virtual void createWindow() {}

    void showEvent(QShowEvent* event) override;
    // Fills the control with its back colour; controls that draw more paint their own.
    void paintEvent(QPaintEvent* event) override;

private:
    QString controlName_;
    QUuid pageClsid_;
    QColor backColor_;
    bool windowCreated_ = false;
};

}  // namespace sonaport
