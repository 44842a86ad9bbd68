#include "lazyiconstyle.h"

#include "lazyiconengine.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOption>

void LazyIconStyle::install() {
    QApplication::setStyle(new LazyIconStyle(QApplication::style()->name()));
}

LazyIconStyle::LazyIconStyle(const QString& key) : QProxyStyle(key) {}

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
