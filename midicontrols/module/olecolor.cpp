#include "olecolor.h"

namespace sonaport {

namespace {

constexpr quint32 kSystemColorFlag = 0x80000000u;

// System colour index -> palette role; indexes not listed take the window colour.
QPalette::ColorRole systemColorRole(quint32 index) {
    switch (index) {
        case 5: return QPalette::Base;               // window background
        case 7: return QPalette::WindowText;         // menu text
        case 8: return QPalette::Text;               // window text
        case 13: return QPalette::Highlight;
        case 14: return QPalette::HighlightedText;
        case 15: return QPalette::Button;            // button face
        case 16: return QPalette::Dark;              // button shadow
        case 17: return QPalette::PlaceholderText;   // grey text
        case 18: return QPalette::ButtonText;
        case 20: return QPalette::Light;             // button highlight
        case 21: return QPalette::Shadow;            // dark 3D shadow
        case 22: return QPalette::Midlight;          // 3D light
        case 23: return QPalette::ToolTipText;
        case 24: return QPalette::ToolTipBase;
        default: return QPalette::Window;
    }
}

}  // namespace

QColor translateColor(quint32 oleColor, const QPalette& palette) {
    if (oleColor & kSystemColorFlag) return palette.color(systemColorRole(oleColor & 0xFFu));
    return QColor(oleColor & 0xFF, (oleColor >> 8) & 0xFF, (oleColor >> 16) & 0xFF);
}

}  // namespace sonaport
