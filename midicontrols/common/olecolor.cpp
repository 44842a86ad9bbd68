#include "olecolor.h"

#include "hosting/colorref.h"

#include <array>

namespace sonaport {

namespace {

constexpr quint32 kSystemColorFlag = 0x80000000u;

// Palette role of each system colour index, 0 (scroll bar) to 24 (tooltip background);
// colours a palette does not hold (desktop, borders) take the nearest role.
constexpr std::array<QPalette::ColorRole, 25> kSystemColorRoles{
    QPalette::Button,
    QPalette::Window,
    QPalette::Highlight,
    QPalette::Window,
    QPalette::Window,
    QPalette::Base,
    QPalette::Shadow,
    QPalette::WindowText,
    QPalette::Text,
    QPalette::HighlightedText,
    QPalette::Window,
    QPalette::Window,
    QPalette::Dark,
    QPalette::Highlight,
    QPalette::HighlightedText,
    QPalette::Button,
    QPalette::Dark,
    QPalette::PlaceholderText,
    QPalette::ButtonText,
    QPalette::WindowText,
    QPalette::Light,
    QPalette::Shadow,
    QPalette::Midlight,
    QPalette::ToolTipText,
    QPalette::ToolTipBase,
};

}  // namespace

QColor translateColor(quint32 oleColor, const QPalette& palette) {
    if (oleColor & kSystemColorFlag) {
        const quint32 index = oleColor & 0xFFu;
        return palette.color(index < kSystemColorRoles.size() ? kSystemColorRoles[index]
                                                              : QPalette::Window);
    }
    return QColor(hosting::rgbFromColorRef(oleColor));
}

}  // namespace sonaport
