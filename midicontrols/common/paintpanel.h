#pragma once

#include <QRect>

class QPainter;
class QWidget;

namespace sonaport {

// The panel behind the slider and the spinner: filled with the system's menu colour and
// framed with an etched edge on all four sides.
void paintPanel(QPainter& painter, const QRect& rect, const QWidget& widget);

}  // namespace sonaport
