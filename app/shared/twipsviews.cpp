#include "twipsviews.h"

#include "system/twipsgeometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace twipsviews {

QAbstractButton* button(QWidget* parent, const QString& name, const QString& caption,
                        const QRectF& twips, bool checkable) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setCheckable(checkable);
    sys::TwipsGeometry::set(b, twips.x(), twips.y(), twips.width(), twips.height());
    return b;
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
