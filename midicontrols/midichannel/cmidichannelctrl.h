#pragma once

#include "common/sonaportcontrol.h"

namespace sonaport {
class DropDownList;
}

// The MIDI channel control: a drop-down list of the 16 MIDI channels; Channel is the
// chosen one, 0 to 15.
class CMidiChannelCtrl : public sonaport::SonaportControl {
    Q_OBJECT
    Q_PROPERTY(qint32 Channel READ channel WRITE setChannel)

public:
    enum PropertyId : hosting::DispId { DispChannel = 1 };

    static constexpr int kChannels = 16;

    explicit CMidiChannelCtrl(QWidget* parent = nullptr);

    qint32 channel() const { return channel_; }
    // Clamps to 0..15 and selects that entry.
    void setChannel(qint32 channel);

    QVariant getProperty(hosting::DispId id, const QVariantList& index = {}) override;
    void putProperty(hosting::DispId id, const QVariant& value,
                     const QVariantList& index = {}) override;

    void initNew() override;
    void saveProperties(hosting::PropertyBag& bag) const override;
    void loadProperties(const hosting::PropertyBag& bag) override;

protected:
    void createWindow() override;

private:
    qint32 channel_ = 0;
    sonaport::DropDownList* list_;
};
