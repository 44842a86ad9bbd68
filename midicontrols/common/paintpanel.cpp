#include "paintpanel.h"

#include "olecolor.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QWidget>

namespace sonaport {

namespace {

constexpr quint32 kMenuColor = 0x80000004u;  // system colour index 4

}  // namespace

void paintPanel(QPainter& painter, const QRect& rect, const QWidget& widget) {
    painter.fillRect(rect, translateColor(kMenuColor, widget.palette()));
    // An etched edge: a sunken line with a raised one inside it.
    qDrawShadeRect(&painter, rect, widget.palette(), true, 1);
}

}  // namespace sonaport
