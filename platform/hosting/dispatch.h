#pragma once

#include "automationerror.h"

#include <QVariant>
#include <QVariantList>
#include <cstdint>

namespace hosting {

using DispId = std::int32_t;

inline constexpr DispId DispAboutBox = -552;

// Late-bound access to a control by dispatch identifier. Every entry point throws
// AutomationError: an unknown DISPID gives DISP_E_MEMBERNOTFOUND, wrong arguments
// DISP_E_BADPARAMCOUNT or DISP_E_TYPEMISMATCH, and the control's own failures their codes.
class Dispatch {
public:
    virtual ~Dispatch() = default;

    // index holds the arguments of an indexed property (e.g. the row of Value(row)).
    virtual QVariant getProperty(DispId id, const QVariantList& index = {}) = 0;
    virtual void putProperty(DispId id, const QVariant& value, const QVariantList& index = {}) = 0;
    virtual QVariant invoke(DispId id, const QVariantList& arguments = {}) = 0;

    // For implementations: argument checks and the conversions automation applies to
    // arguments. Each throws the matching AutomationError.
    [[noreturn]] static void raiseMemberNotFound(DispId id);
    static void expectArgumentCount(const QVariantList& arguments, int count);
    // Numbers as they are (true is -1), numeric text read as a number; DISP_E_TYPEMISMATCH
    // for anything else.
    static double toDouble(const QVariant& value);
    // As toDouble, fractions rounded half to even; DISP_E_OVERFLOW outside the range.
    static std::int32_t toInt32(const QVariant& value);
    static std::int16_t toInt16(const QVariant& value);
};

}  // namespace hosting
