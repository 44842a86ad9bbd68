#pragma once

#include <QtGlobal>
#include <optional>

namespace hosting {

// What a container tells its controls about itself. A container that leaves a property
// unset does not answer for it.
class AmbientProperties {
public:
    std::optional<bool> userMode() const { return userMode_; }
    std::optional<quint32> backColor() const { return backColor_; }  // 0x00BBGGRR

    void setUserMode(std::optional<bool> userMode) { userMode_ = userMode; }
    void setBackColor(std::optional<quint32> color) { backColor_ = color; }

private:
    std::optional<bool> userMode_;
    std::optional<quint32> backColor_;
};

}  // namespace hosting
