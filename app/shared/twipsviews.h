#pragma once

#include <QRectF>
#include <QString>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QWidget;

// Views placed in twips inside a frame, named as the window's members are.
namespace twipsviews {

// A two-state button's accessible Toggle action is a click (TwoStateButtonAccessible).
QAbstractButton* button(QWidget* parent, const QString& name, const QString& caption,
                        const QRectF& twips, bool checkable = false);
QLineEdit* field(QWidget* parent, const QString& name, const QString& text, const QRectF& twips);
// A caption of plain text, also used as the accessible name of the view it belongs to.
QLabel* caption(QWidget* parent, const QString& text, const QRectF& twips,
                QWidget* buddy = nullptr);

}  // namespace twipsviews
