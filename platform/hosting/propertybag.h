#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <cmath>
#include <limits>
#include <type_traits>

namespace hosting {

// Named values a container keeps for a control between sessions. Names are matched
// without regard to case; the order of writing is kept.
class PropertyBag {
public:
    bool contains(const QString& name) const;
    QVariant read(const QString& name, const QVariant& defaultValue = {}) const;
    // The entry as a T, or defaultValue when it is missing or cannot be one. Whole numbers
    // take fractions rounded half to even and must fit T.
    template <typename T>
    T read(const QString& name, const T& defaultValue) const {
        QVariant v = read(name);
        if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
            bool ok = false;
            const double rounded = std::nearbyint(v.toDouble(&ok));
            const bool fits = rounded >= double(std::numeric_limits<T>::lowest()) &&
                              rounded < double(std::numeric_limits<T>::max()) + 1.0;
            return ok && fits ? static_cast<T>(rounded) : defaultValue;
        } else {
            return v.isValid() && v.convert(QMetaType::fromType<T>()) ? v.value<T>() : defaultValue;
        }
    }
    void write(const QString& name, const QVariant& value);
    void remove(const QString& name);
    QStringList names() const;

    // Saved atomically (a JSON document that keeps each entry's type); false when the file
    // cannot be written or read, or holds no property bag. A failed load keeps the entries.
    bool saveToFile(const QString& path) const;
    bool loadFromFile(const QString& path);

private:
    qsizetype indexOf(const QString& name) const;

    QList<QPair<QString, QVariant>> entries_;
};

}  // namespace hosting
