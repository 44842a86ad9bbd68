#pragma once

#include "automationerror.h"

#include <QVariant>
#include <QVariantList>
#include <cstdint>

namespace hosting {

using DispId = std::int32_t;

inline constexpr DispId DISPID_ABOUTBOX = -552;

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
};

}  // namespace hosting
