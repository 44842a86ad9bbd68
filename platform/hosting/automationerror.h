#pragma once

#include <QString>
#include <cstdint>

namespace hosting {

// Thrown by a control's dispatch entry points to report an error to the late-bound caller.
struct AutomationError {
    std::int32_t code = 0;
    QString description;
};

}  // namespace hosting
