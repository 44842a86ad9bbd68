#include "dispatch.h"

#include "hresult.h"

#include <QMetaType>
#include <cmath>
#include <limits>

namespace hosting {

namespace {

[[noreturn]] void raise(HRESULT code, const char* description) {
    throw AutomationError{code, QString::fromLatin1(description)};
}

template <typename T>
T toWhole(const QVariant& value) {
    const double rounded = std::nearbyint(Dispatch::toDouble(value));
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max()))
        raise(DISP_E_OVERFLOW, "Overflow");
    return static_cast<T>(rounded);
}

}  // namespace

void Dispatch::raiseMemberNotFound(DispId id) {
    throw AutomationError{DISP_E_MEMBERNOTFOUND, QStringLiteral("Member not found: %1").arg(id)};
}

void Dispatch::expectArgumentCount(const QVariantList& arguments, int count) {
    if (arguments.size() != count) raise(DISP_E_BADPARAMCOUNT, "Invalid number of parameters");
}

double Dispatch::toDouble(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? -1.0 : 0.0;
    bool ok = false;
    const double number = value.isValid() ? value.toDouble(&ok) : 0.0;
    if (!ok) raise(DISP_E_TYPEMISMATCH, "Type mismatch");
    return number;
}

std::int32_t Dispatch::toInt32(const QVariant& value) {
    return toWhole<std::int32_t>(value);
}

std::int16_t Dispatch::toInt16(const QVariant& value) {
    return toWhole<std::int16_t>(value);
}

}  // namespace hosting
