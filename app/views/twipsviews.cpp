#include "twipsviews.h"

#include "system/twipsgeometry.h"
#include "views/twostatebuttonaccessible.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace twipsviews {

namespace {

// A caption wider than its button is cut short with "…"; the whole caption stays the
// button's tooltip and accessible name. The button keeps its size in twips.
void fitCaption(QPushButton* button) {
    QStyleOptionButton bare;  // the frame and margins the style puts around a caption
    bare.initFrom(button);
    const int padding =
        button->style()->sizeFromContents(QStyle::CT_PushButton, &bare, QSize(), button).width();
    const int room = button->width() - padding - 2;  // a little slack for the type's hinting
    const QString caption = button->text();
    const QFontMetrics metrics = button->fontMetrics();
    if (caption.isEmpty() || metrics.horizontalAdvance(caption) <= room) return;
    button->setText(metrics.elidedText(caption, Qt::ElideRight, room));
    button->setToolTip(caption);
    button->setAccessibleName(caption);
}

}  // namespace

// Two-state first, caption next: a screen reader that is listening meets the button at its
// caption and must see it as the two-state button whose actions are clicks.
QAbstractButton* button(QWidget* parent, const QString& name, const QString& caption,
                        const QRectF& twips, bool checkable) {
    TwoStateButtonAccessible::installFactory();
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setCheckable(checkable);
    b->setText(caption);
    sys::TwipsGeometry::set(b, twips.x(), twips.y(), twips.width(), twips.height());
    fitCaption(b);
    return b;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption,
                    const QRectF& twips) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    sys::TwipsGeometry::set(box, twips.x(), twips.y(), twips.width(), twips.height());
    return box;
}

QLineEdit* field(QWidget* parent, const QString& name, const QString& text, const QRectF& twips) {
    auto* f = new QLineEdit(text, parent);
    f->setObjectName(name);
    sys::TwipsGeometry::set(f, twips.x(), twips.y(), twips.width(), twips.height());
    return f;
}

QLabel* caption(QWidget* parent, const QString& text, const QRectF& twips, QWidget* buddy) {
    auto* c = new QLabel(text, parent);
    c->setTextFormat(Qt::PlainText);
    sys::TwipsGeometry::set(c, twips.x(), twips.y(), twips.width(), twips.height());
    if (buddy) {
        c->setBuddy(buddy);
        buddy->setAccessibleName(text);
    }
    return c;
}

}  // namespace twipsviews
