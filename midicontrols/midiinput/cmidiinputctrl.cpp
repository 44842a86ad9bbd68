#include "cmidiinputctrl.h"

#include "common/dropdownlist.h"
#include "common/sonaportids.h"

#include "hosting/propertybag.h"
#include "midi/inputnotification.h"
#include "system/dialogs.h"

#include <QResizeEvent>
#include <algorithm>

namespace {

QString deviceIdKey() {
    return QStringLiteral("DeviceID");
}

midi::MidiServices& services() {
    return midi::MidiServices::instance();
}

void tell(const char* text) {
    sys::Dialogs::current().message(QString::fromLatin1(text));
}

}  // namespace

CMidiInputCtrl::CMidiInputCtrl(QWidget* parent)
    : sonaport::SonaportControl(QStringLiteral("MidiInput"), sonaport::ids::kMidiInput.propPage,
                                parent),
      deviceCount_(services().inputCount()),
      list_(new sonaport::DropDownList(this)) {
    connect(list_, &QComboBox::activated, this, &CMidiInputCtrl::onListActivated);
}

CMidiInputCtrl::~CMidiInputCtrl() {
    closeInputDevice();
}

void CMidiInputCtrl::setDeviceId(qint32 id) {
    if (id < 0) throw hosting::AutomationError{1, QStringLiteral("Boing!")};
    // With no devices the subtraction wraps to the largest value and nothing is clamped.
    deviceId_ = std::min(quint32(id), deviceCount_ - 1u);
    list_->select(deviceId_);
    OpenInputDevice(deviceId_);
    setModified(true);
}

std::optional<CMidiInputCtrl::Arguments> CMidiInputCtrl::splitShortMessage(std::uint32_t message) {
    const qint32 status = qint32(message & 0xFFu);
    Arguments arguments{status, 0, qint32((message >> 8) & 0xFFu), qint32((message >> 16) & 0xFFu)};
    if (status < 0xF0) {
        arguments.status = status & 0xF0;
        arguments.channel = status & 0x0F;
    }
    if (arguments.status == 0xFE) return std::nullopt;
    return arguments;
}

void CMidiInputCtrl::OpenInputDevice(quint32 id) {
    if (!isUserMode()) return;
    closeInputDevice();
    midi::InputHandle handle = 0;
    if (services().openInput(id, this, &handle) != midi::kNoError) return tell("Unable to open");
    handle_ = handle;
    header_ = midi::MidiHeader{buffer_.data(), kBufferSize, 0, 0};
    if (services().prepareInputHeader(handle_, &header_) != midi::kNoError)
        tell("Unable to prepare");
    if (services().addInputBuffer(handle_, &header_) != midi::kNoError) tell("Unable to AddBuffer");
    startInput();
}

// The reset hands the buffer just lent straight back; its report lends it again.
void CMidiInputCtrl::startInput() {
    services().resetInput(handle_);
    if (services().startInput(handle_) != midi::kNoError) tell("Unable to Start");
}

void CMidiInputCtrl::closeInputDevice() {
    if (!handle_) return;
    services().stopInput(handle_);
    services().resetInput(handle_);
    services().unprepareInputHeader(handle_, &header_);
    services().closeInput(handle_);
    handle_ = 0;
}

void CMidiInputCtrl::onListActivated(int index) {
    deviceId_ = quint32(index);
    OpenInputDevice(deviceId_);
}

void CMidiInputCtrl::createWindow() {
    FillDeviceList();
}

void CMidiInputCtrl::FillDeviceList() {
    deviceCount_ = services().inputCount();
    list_->clear();
    if (deviceCount_ == 0) return;
    for (unsigned id = 0; id < deviceCount_; ++id) {
        midi::DeviceCaps caps;
        services().inputCaps(id, &caps);
        list_->addItem(QStringLiteral("%1 - %2").arg(id).arg(caps.productName));
    }
    list_->select(deviceId_);
    OpenInputDevice(deviceId_);
}

bool CMidiInputCtrl::event(QEvent* event) {
    if (event->type() != midi::InputNotification::eventType()) return SonaportControl::event(event);
    handleReport(*static_cast<midi::InputNotification*>(event));
    return true;
}

void CMidiInputCtrl::handleReport(const midi::InputNotification& report) {
    using Kind = midi::InputNotification::Kind;
    switch (report.kind()) {
        case Kind::Opened:
            return raiseShortMessage({DeviceOpened});
        case Kind::Closed:
            return raiseShortMessage({DeviceClosed});
        case Kind::Data:
        case Kind::MoreData:
            if (const auto arguments = splitShortMessage(report.message()))
                raiseShortMessage(*arguments);
            return;
        case Kind::LongData:
            raiseShortMessage({SysExReceived, qint32(header_.bytesRecorded)});
            return lendBufferAgain();
        case Kind::Error:
            return raiseShortMessage({ShortInvalid});
        case Kind::LongError:
            // The device has handed the buffer back with the broken block; without it no
            // later block could be received.
            raiseShortMessage({SysExInvalid});
            return lendBufferAgain();
    }
}

void CMidiInputCtrl::lendBufferAgain() {
    header_.bufferLength = kBufferSize;
    services().addInputBuffer(handle_, &header_);
}

void CMidiInputCtrl::raiseShortMessage(const Arguments& arguments) {
    emit ShortMessage(arguments.status, arguments.channel, arguments.data1, arguments.data2);
    emit eventRaised(EventShortMessage,
                     {arguments.status, arguments.channel, arguments.data1, arguments.data2});
}

QVariant CMidiInputCtrl::getProperty(hosting::DispId id, const QVariantList& index) {
    if (id != DispDeviceID) return SonaportControl::getProperty(id, index);
    expectArgumentCount(index, 0);
    return deviceId();
}

void CMidiInputCtrl::putProperty(hosting::DispId id, const QVariant& value,
                                 const QVariantList& index) {
    if (id != DispDeviceID) return SonaportControl::putProperty(id, value, index);
    expectArgumentCount(index, 0);
    setDeviceId(toInt32(value));
}

void CMidiInputCtrl::initNew() {
    loadProperties(hosting::PropertyBag());
}

void CMidiInputCtrl::saveProperties(hosting::PropertyBag& bag) const {
    writeStockState(bag);
    bag.write(deviceIdKey(), deviceId_);
}

void CMidiInputCtrl::loadProperties(const hosting::PropertyBag& bag) {
    readStockState(bag);
    deviceId_ = bag.read<quint32>(deviceIdKey(), 0u);
    if (isWindowCreated()) list_->select(deviceId_);
}
