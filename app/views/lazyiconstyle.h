#pragma once

#include "groupboxframe.h"

#include <QProxyStyle>

// The application's style, with the pictures of the menu bar's and the toolbars' overflow
// buttons made when those buttons are first drawn. The style reads such a picture as each bar
// is made, and Qt's first read of a picture asks every image plugin installed whether it
// reads it, loading each with its libraries; the overflow buttons are mostly never shown.
// Under Fusion, group boxes get their frames as finished pictures (GroupBoxFrame).
class LazyIconStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Wraps a new instance of the style the application uses now.
    static void install();

    explicit LazyIconStyle(const QString& key);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;

private:
    QRect fusionGroupFrame(const QStyleOption* option, const QWidget* widget) const;

    const bool fusion_;
    mutable GroupBoxFrame groupFrames_;
};
