#pragma once

#include <QRectF>
#include <QString>

#include <QAbstractButton>
#include <QCoreApplication>
#include <initializer_list>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

// Views placed in twips inside a frame, named as the window's members are.
namespace twipsviews {

// A two-state button's accessible Toggle action is a click (TwoStateButtonAccessible).
QAbstractButton* button(QWidget* parent, const QString& name, const QString& caption,
                        const QRectF& twips, bool checkable = false);
QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption,
                    const QRectF& twips);
QLineEdit* field(QWidget* parent, const QString& name, const QString& text, const QRectF& twips);
// A caption of plain text, also used as the accessible name of the view it belongs to.
QLabel* caption(QWidget* parent, const QString& text, const QRectF& twips,
                QWidget* buddy = nullptr);

// Buttons made from a table, each kept in the member of the owner that the row names.
template <typename Owner>
struct ButtonSpec {
    QAbstractButton* Owner::*member;
    const char* name;
    const char* caption;  // marked for translation in the owner's context
    QRectF twips;
    bool checkable = false;
};
template <typename Owner>
void buttons(Owner* owner, QWidget* parent, std::initializer_list<ButtonSpec<Owner>> specs) {
    for (const ButtonSpec<Owner>& b : specs)
        owner->*b.member =
            button(parent, QString::fromLatin1(b.name),
                   QCoreApplication::translate(owner->metaObject()->className(), b.caption),
                   b.twips, b.checkable);
}

}  // namespace twipsviews
