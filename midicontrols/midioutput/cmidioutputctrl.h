#pragma once

#include "common/sonaportcontrol.h"
#include "longmessagesender.h"

#include "midi/midiservices.h"

namespace sonaport {
class DropDownList;
}

// The MIDI output control: owns one opened MIDI output device, offers every output device
// in a drop-down list and sends short and system-exclusive messages to the open one.
class CMidiOutputCtrl : public sonaport::SonaportControl {
    Q_OBJECT
    Q_PROPERTY(qint32 DeviceID READ deviceId WRITE setDeviceId)

public:
    enum MemberId : hosting::DispId {
        DispDeviceID = 1,
        DispSendShortMessage = 2,
        DispSendSysExMessage = 3,
    };

    explicit CMidiOutputCtrl(QWidget* parent = nullptr);
    ~CMidiOutputCtrl() override;

    qint32 deviceId() const { return qint32(deviceId_); }
    // Clamps to the devices there are, selects the list entry and opens the device.
    void setDeviceId(qint32 id);

    // Returns the device's result code (0: sent).
    qint32 SendShortMessage(qint32 channel, qint32 status, qint32 message, qint32 value);
    // Sends the first bufferLen bytes of buffer (never more than it holds) as one block.
    qint32 SendSysExMessage(const QByteArray& buffer, qint32 bufferLen);

    // (channel + status) mod 256 in byte 0, message and value mod 256 in bytes 1 and 2.
    static quint32 packShortMessage(qint32 channel, qint32 status, qint32 message, qint32 value);

    unsigned deviceCount() const { return deviceCount_; }
    bool hasOpenDevice() const { return handle_ != 0; }
    // System-exclusive blocks the device has not finished with yet.
    int pendingSysExCount() const { return sender_.pendingCount(); }

    QVariant getProperty(hosting::DispId id, const QVariantList& index = {}) override;
    void putProperty(hosting::DispId id, const QVariant& value,
                     const QVariantList& index = {}) override;
    QVariant invoke(hosting::DispId id, const QVariantList& arguments = {}) override;

    void initNew() override;
    void saveProperties(hosting::PropertyBag& bag) const override;
    void loadProperties(const hosting::PropertyBag& bag) override;

protected:
    void createWindow() override;

private:
    void FillDeviceList();
    void OpenOutputDevice(quint32 id);
    void closeOutputDevice();
    void selectListEntry();
    void onListActivated(int index);

    const unsigned deviceCount_;
    midi::OutputHandle handle_ = 0;
    quint32 deviceId_ = 0;
    sonaport::DropDownList* list_;
    LongMessageSender sender_;
};
