#include "cmidichannelctrl.h"

#include "common/dropdownlist.h"
#include "common/sonaportids.h"

#include "hosting/propertybag.h"

#include <QResizeEvent>
#include <algorithm>

namespace {

QString channelKey() {
    return QStringLiteral("Channel");
}

}  // namespace

CMidiChannelCtrl::CMidiChannelCtrl(QWidget* parent)
    : sonaport::SonaportControl(QStringLiteral("MidiChannel"), sonaport::ids::kMidiChannel.propPage,
                                parent),
      list_(new sonaport::DropDownList(this)) {
    connect(list_, &QComboBox::activated, this, [this](int index) { channel_ = index; });
}

void CMidiChannelCtrl::setChannel(qint32 channel) {
    channel_ = std::clamp(channel, 0, kChannels - 1);
    list_->select(quint32(channel_));
    setModified(true);
}

void CMidiChannelCtrl::createWindow() {
    for (int number = 1; number <= kChannels; ++number)
        list_->addItem(QStringLiteral("Channel %1").arg(number, 2, 10, QLatin1Char('0')));
    list_->select(quint32(channel_));
}

QVariant CMidiChannelCtrl::getProperty(hosting::DispId id, const QVariantList& index) {
    if (id != DispChannel) return SonaportControl::getProperty(id, index);
    expectArgumentCount(index, 0);
    return channel_;
}

void CMidiChannelCtrl::putProperty(hosting::DispId id, const QVariant& value,
                                   const QVariantList& index) {
    if (id != DispChannel) return SonaportControl::putProperty(id, value, index);
    expectArgumentCount(index, 0);
    setChannel(toInt32(value));
}

void CMidiChannelCtrl::initNew() {
    loadProperties(hosting::PropertyBag());
}

void CMidiChannelCtrl::saveProperties(hosting::PropertyBag& bag) const {
    writeStockState(bag);
    bag.write(channelKey(), quint32(channel_));
}

void CMidiChannelCtrl::loadProperties(const hosting::PropertyBag& bag) {
    readStockState(bag);
    // A bag can hold anything; a channel outside 0..15 would make every message wrong.
    channel_ = qint32(std::min(bag.read<quint32>(channelKey(), 0u), quint32(kChannels - 1)));
    list_->select(quint32(channel_));
}
