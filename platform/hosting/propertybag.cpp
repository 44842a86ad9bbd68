#include "propertybag.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <limits>

namespace hosting {

namespace {

const QString kFormat = QStringLiteral("beatloft-property-bag");
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

// Types a bag keeps in its file; anything else is stored as its text.
QJsonObject entryToJson(const QString& name, const QVariant& value) {
    QJsonObject entry{{QStringLiteral("name"), name}};
    switch (value.typeId()) {
        case QMetaType::Bool:
            entry.insert(QStringLiteral("bool"), value.toBool());
            break;
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
            entry.insert(QStringLiteral("int"), value.toLongLong());
            break;
        case QMetaType::Float:
        case QMetaType::Double:
            entry.insert(QStringLiteral("double"), value.toDouble());
            break;
        default:
            entry.insert(QStringLiteral("string"), value.toString());
    }
    return entry;
}

QVariant valueFromJson(const QJsonObject& entry) {
    if (entry.contains(QStringLiteral("bool"))) return entry.value(QStringLiteral("bool")).toBool();
    if (entry.contains(QStringLiteral("int"))) {
        const qint64 number = entry.value(QStringLiteral("int")).toInteger();
        if (number >= std::numeric_limits<int>::min() && number <= std::numeric_limits<int>::max())
            return int(number);
        return number;
    }
    if (entry.contains(QStringLiteral("double")))
        return entry.value(QStringLiteral("double")).toDouble();
    if (entry.contains(QStringLiteral("string")))
        return entry.value(QStringLiteral("string")).toString();
    return {};
}

}  // namespace

// Names are nearly always written and read alike: the exact test spares the case folding.
qsizetype PropertyBag::indexOf(const QString& name) const {
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        const QString& entry = entries_.at(i).first;
        if (entry == name || entry.compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

bool PropertyBag::contains(const QString& name) const {
    return indexOf(name) >= 0;
}

QVariant PropertyBag::read(const QString& name, const QVariant& defaultValue) const {
    const qsizetype i = indexOf(name);
    return i >= 0 ? entries_.at(i).second : defaultValue;
}

void PropertyBag::write(const QString& name, const QVariant& value) {
    const qsizetype i = indexOf(name);
    if (i >= 0)
        entries_[i] = {name, value};
    else
        entries_.append({name, value});
}

void PropertyBag::remove(const QString& name) {
    entries_.removeIf([&name](const QPair<QString, QVariant>& entry) {
        return entry.first.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QStringList PropertyBag::names() const {
    QStringList result;
    for (const auto& entry : entries_) result.append(entry.first);
    return result;
}

bool PropertyBag::saveToFile(const QString& path) const {
    QJsonArray entries;
    for (const auto& [name, value] : entries_) entries.append(entryToJson(name, value));
    const QJsonObject document{{QStringLiteral("format"), kFormat},
                               {QStringLiteral("entries"), entries}};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(QJsonDocument(document).toJson());
    return file.commit();
}

bool PropertyBag::loadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat) return false;
    PropertyBag loaded;
    for (const QJsonValue& item : root.value(QStringLiteral("entries")).toArray()) {
        const QJsonObject entry = item.toObject();
        const QString name = entry.value(QStringLiteral("name")).toString();
        const QVariant value = valueFromJson(entry);
        if (!name.isEmpty() && value.isValid()) loaded.write(name, value);
    }
    *this = loaded;
    return true;
}

}  // namespace hosting
