#pragma once

#include "common/sonaportcontrol.h"

#include "midi/midiheader.h"
#include "midi/midiservices.h"

#include <array>
#include <optional>

namespace midi {
class InputNotification;
}
namespace sonaport {
class DropDownList;
}

// The MIDI input control: opens one MIDI input device, offers every input device in a
// drop-down list and reports what the device delivers as ShortMessage events, raised on
// the UI thread.
class CMidiInputCtrl : public sonaport::SonaportControl {
    Q_OBJECT
    Q_PROPERTY(qint32 DeviceID READ deviceId WRITE setDeviceId)

public:
    enum PropertyId : hosting::DispId { DispDeviceID = 1 };
    enum EventId : hosting::DispId { EventShortMessage = 1 };

    // Status values of the device's own reports, below every MIDI status byte.
    enum Report : qint32 {
        SysExReceived = 2,
        SysExInvalid = 3,
        ShortInvalid = 4,
        DeviceOpened = 5,
        DeviceClosed = 6,
    };

    struct Arguments {
        qint32 status = 0;
        qint32 channel = 0;
        qint32 data1 = 0;
        qint32 data2 = 0;
    };

    static constexpr std::uint32_t kBufferSize = 1024;

    explicit CMidiInputCtrl(QWidget* parent = nullptr);
    ~CMidiInputCtrl() override;

    qint32 deviceId() const { return qint32(deviceId_); }
    // A negative id fails with the automation error "Boing!" (code 1) and changes nothing;
    // otherwise clamps to the devices there are, selects the entry and opens the device.
    void setDeviceId(qint32 id);

    // A packed short message as the event reports it; nothing for active sensing.
    static std::optional<Arguments> splitShortMessage(std::uint32_t message);

    bool hasOpenDevice() const { return handle_ != 0; }

    QVariant getProperty(hosting::DispId id, const QVariantList& index = {}) override;
    void putProperty(hosting::DispId id, const QVariant& value,
                     const QVariantList& index = {}) override;

    void initNew() override;
    void saveProperties(hosting::PropertyBag& bag) const override;
    void loadProperties(const hosting::PropertyBag& bag) override;

signals:
    void ShortMessage(qint32 Status, qint32 Channel, qint32 Data1, qint32 Data2);

protected:
    void createWindow() override;
    bool event(QEvent* event) override;

private:
    void FillDeviceList();
    void OpenInputDevice(quint32 id);
    void closeInputDevice();
    void startInput();
    void onListActivated(int index);
    void handleReport(const midi::InputNotification& report);
    void lendBufferAgain();
    void raiseShortMessage(const Arguments& arguments);

    unsigned deviceCount_;
    midi::InputHandle handle_ = 0;
    quint32 deviceId_ = 0;
    std::array<char, kBufferSize> buffer_{};
    midi::MidiHeader header_;
    sonaport::DropDownList* list_;
};
