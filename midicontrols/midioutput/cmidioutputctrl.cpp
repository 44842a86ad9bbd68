#include "cmidioutputctrl.h"

#include "common/ansistring.h"
#include "common/dropdownlist.h"
#include "common/sonaportids.h"

#include "hosting/propertybag.h"
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

}  // namespace

CMidiOutputCtrl::CMidiOutputCtrl(QWidget* parent)
    : sonaport::SonaportControl(QStringLiteral("MidiOutput"), sonaport::ids::kMidiOutput.propPage,
                                parent),
      deviceCount_(services().outputCount()),
      list_(new sonaport::DropDownList(this)) {
    connect(list_, &QComboBox::activated, this, &CMidiOutputCtrl::onListActivated);
}

CMidiOutputCtrl::~CMidiOutputCtrl() {
    closeOutputDevice();
}

void CMidiOutputCtrl::setDeviceId(qint32 id) {
    quint32 value = id < 0 ? 0u : quint32(id);
    // With no devices the subtraction wraps to the largest value and nothing is clamped.
    value = std::min(value, deviceCount_ - 1u);
    deviceId_ = value;
    selectListEntry();
    OpenOutputDevice(deviceId_);
    setModified(true);
}

quint32 CMidiOutputCtrl::packShortMessage(qint32 channel, qint32 status, qint32 message,
                                          qint32 value) {
    const quint32 statusByte = (quint32(channel) + quint32(status)) & 0xFFu;
    return statusByte | (quint32(message) & 0xFFu) << 8 | (quint32(value) & 0xFFu) << 16;
}

qint32 CMidiOutputCtrl::SendShortMessage(qint32 channel, qint32 status, qint32 message,
                                         qint32 value) {
    return qint32(
        services().shortMessage(handle_, packShortMessage(channel, status, message, value)));
}

qint32 CMidiOutputCtrl::SendSysExMessage(const QByteArray& buffer, qint32 bufferLen) {
    const qsizetype length =
        qsizetype(std::min<quint64>(quint32(bufferLen), quint64(buffer.size())));
    const LongMessageSender::Outcome outcome = sender_.send(handle_, buffer.left(length));
    if (outcome.prepareFailed)
        sys::Dialogs::current().message(QStringLiteral("Error preparing header"));
    return qint32(outcome.result);
}

void CMidiOutputCtrl::OpenOutputDevice(quint32 id) {
    if (!isUserMode()) return;
    closeOutputDevice();
    midi::OutputHandle handle = 0;
    if (services().openOutput(id, &handle) != midi::kNoError) {
        sys::Dialogs::current().message(QStringLiteral("Unable to open"));
        return;
    }
    handle_ = handle;
}

void CMidiOutputCtrl::closeOutputDevice() {
    if (!handle_) return;
    sender_.releaseAll(handle_);
    services().closeOutput(handle_);
    handle_ = 0;
}

void CMidiOutputCtrl::selectListEntry() {
    list_->select(deviceId_);
}

void CMidiOutputCtrl::onListActivated(int index) {
    deviceId_ = quint32(index);
    OpenOutputDevice(deviceId_);
}

void CMidiOutputCtrl::createWindow() {
    FillDeviceList();
}

void CMidiOutputCtrl::FillDeviceList() {
    list_->clear();
    if (deviceCount_ == 0) return;
    for (unsigned id = 0; id < deviceCount_; ++id) {
        midi::DeviceCaps caps;
        services().outputCaps(id, &caps);
        list_->addItem(QStringLiteral("%1 - %2").arg(id).arg(caps.productName));
    }
    selectListEntry();
    OpenOutputDevice(deviceId_);
}

QVariant CMidiOutputCtrl::getProperty(hosting::DispId id, const QVariantList& index) {
    if (id != DispDeviceID) return SonaportControl::getProperty(id, index);
    expectArgumentCount(index, 0);
    return deviceId();
}

void CMidiOutputCtrl::putProperty(hosting::DispId id, const QVariant& value,
                                  const QVariantList& index) {
    if (id != DispDeviceID) return SonaportControl::putProperty(id, value, index);
    expectArgumentCount(index, 0);
    setDeviceId(toInt32(value));
}

QVariant CMidiOutputCtrl::invoke(hosting::DispId id, const QVariantList& arguments) {
    switch (id) {
        case DispSendShortMessage:
            expectArgumentCount(arguments, 4);
            return SendShortMessage(toInt32(arguments[0]), toInt32(arguments[1]),
                                    toInt32(arguments[2]), toInt32(arguments[3]));
        case DispSendSysExMessage:
            expectArgumentCount(arguments, 2);
            return SendSysExMessage(sonaport::toAnsiString(arguments[0]), toInt32(arguments[1]));
        default:
            return SonaportControl::invoke(id, arguments);
    }
}

void CMidiOutputCtrl::initNew() {
    loadProperties(hosting::PropertyBag());
}

void CMidiOutputCtrl::saveProperties(hosting::PropertyBag& bag) const {
    writeStockState(bag);
    bag.write(deviceIdKey(), deviceId_);
}

void CMidiOutputCtrl::loadProperties(const hosting::PropertyBag& bag) {
    readStockState(bag);
    deviceId_ = bag.read<quint32>(deviceIdKey(), 0u);
    if (isWindowCreated()) selectListEntry();
}
