#include "lazyiconstyle.h"

#include "lazyiconengine.h"

#include <QApplication>
#include <QGroupBox>
#include <QPointer>
#include <QStyleOption>

void LazyIconStyle::install() {
    QApplication::setStyle(new LazyIconStyle(QApplication::style()->name()));
}

LazyIconStyle::LazyIconStyle(const QString& key)
    : QProxyStyle(key),
      fusion_(baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {}

QIcon LazyIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                  const QWidget* widget) const {
    if (standardIcon != SP_ToolBarHorizontalExtensionButton &&
        standardIcon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    // The option and the widget may be gone when the picture is made; what the picture
    // depends on, the writing direction, is kept.
    QStyleOption kept;
    kept.direction = option ? option->direction : QGuiApplication::layoutDirection();
    return QIcon(new LazyIconEngine([style = QPointer<const QStyle>(baseStyle()), standardIcon,
                                     kept, owner = QPointer<const QWidget>(widget)] {
        return style ? style->standardIcon(standardIcon, &kept, owner) : QIcon();
    }));
}

void LazyIconStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameGroupBox && fusion_ &&
        groupFrames_.draw(painter, fusionGroupFrame(option, widget)))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// Where Fusion puts a group box's frame in the box: below the title's line, or near the top
// for a box with neither title nor check box.
QRect LazyIconStyle::fusionGroupFrame(const QStyleOption* option, const QWidget* widget) const {
    constexpr int kTopMargin = 3;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    const bool bare = box && !box->isCheckable() && box->title().isEmpty();
    const int top = bare ? kTopMargin
                         : qMax(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight),
                                option->fontMetrics.height()) +
                               kTopMargin;
    return option->rect.adjusted(0, top, 0, 0);
}
