#pragma once

#include <QRectF>

class QWidget;

namespace sys {

// Keeps a view's position and size in twips: the value last set is the value read back,
// and the widget is placed at the nearest whole pixels.
class TwipsGeometry {
public:
    static void set(QWidget* widget, double left, double top, double width, double height);
    static void setLeft(QWidget* widget, double left);
    static void setTop(QWidget* widget, double top);
    static void setWidth(QWidget* widget, double width);
    static void setHeight(QWidget* widget, double height);
    // The twips last set, or the pixel geometry in twips for a view never set in twips.
    static QRectF of(const QWidget* widget);
    // Shows a view this many twips further left than its position says (a scrolled view);
    // the position read back stays the one set.
    static void setScrollX(QWidget* widget, double twips);
};

}  // namespace sys
