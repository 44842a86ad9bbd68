#pragma once

#include "hresult.h"

#include <QString>
#include <cstdint>

namespace hosting {

// Thrown by a control's dispatch entry points to report an error to the late-bound caller.
struct AutomationError {
    std::int32_t code = 0;
    QString description;
};

// Makes a late-bound call and gives its result code: S_OK, or the code of the
// AutomationError it threw, for containers that go on whatever a control answers.
template <typename Call>
HRESULT resultOf(Call&& call) {
    try {
        call();
    } catch (const AutomationError& error) {
        return error.code;
    }
    return S_OK;
}

}  // namespace hosting
