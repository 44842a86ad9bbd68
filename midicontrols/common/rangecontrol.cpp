#include "rangecontrol.h"

#include "hosting/propertybag.h"

namespace sonaport {

namespace {

QString minKey() {
    return QStringLiteral("Min");
}
QString maxKey() {
    return QStringLiteral("Max");
}
QString valueKey() {
    return QStringLiteral("Value");
}

bool isRangeMember(hosting::DispId id) {
    return id == RangeControl::DispValue || id == RangeControl::DispMin ||
           id == RangeControl::DispMax;
}

}  // namespace

QVariant RangeControl::getProperty(hosting::DispId id, const QVariantList& index) {
    if (!isRangeMember(id)) return SonaportControl::getProperty(id, index);
    expectArgumentCount(index, 0);
    return id == DispValue ? value_ : id == DispMin ? min_ : max_;
}

void RangeControl::putProperty(hosting::DispId id, const QVariant& value,
                               const QVariantList& index) {
    if (!isRangeMember(id)) return SonaportControl::putProperty(id, value, index);
    expectArgumentCount(index, 0);
    const qint32 number = toInt32(value);
    if (id == DispValue) setValue(number);
    if (id == DispMin) setMin(number);
    if (id == DispMax) setMax(number);
}

void RangeControl::initNew() {
    loadProperties(hosting::PropertyBag());
}

void RangeControl::saveProperties(hosting::PropertyBag& bag) const {
    writeStockState(bag);
    bag.write(minKey(), quint32(min_));
    bag.write(maxKey(), quint32(max_));
    bag.write(valueKey(), quint32(value_));
}

void RangeControl::loadProperties(const hosting::PropertyBag& bag) {
    readStockState(bag);
    min_ = qint32(bag.read<quint32>(minKey(), 0u));
    max_ = qint32(bag.read<quint32>(maxKey(), 127u));
    value_ = qint32(bag.read<quint32>(valueKey(), 64u));
    showLoaded();
}

}  // namespace sonaport
