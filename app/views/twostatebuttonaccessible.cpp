#include "twostatebuttonaccessible.h"

#include <QPushButton>
#include <QRegularExpression>

namespace {

QAccessibleInterface* createInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(QPushButton::staticMetaObject.className())) return nullptr;
    auto* button = qobject_cast<QPushButton*>(object);
    return button && button->isCheckable() ? new TwoStateButtonAccessible(button) : nullptr;
}

}  // namespace

TwoStateButtonAccessible::TwoStateButtonAccessible(QAbstractButton* button)
    : QAccessibleWidget(button, QAccessible::CheckBox) {}

void TwoStateButtonAccessible::installFactory() {
    static const bool installed = (QAccessible::installFactory(&createInterface), true);
    Q_UNUSED(installed);
}

QAbstractButton* TwoStateButtonAccessible::button() const {
    return static_cast<QAbstractButton*>(widget());
}

QAccessible::State TwoStateButtonAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = button()->isChecked();
    s.pressed = button()->isDown();
    return s;
}

// The caption, without the ampersand that marks a shortcut letter ("&&" is one ampersand).
QString TwoStateButtonAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
        return QAccessibleWidget::text(t);
    static const QRegularExpression mnemonic(QStringLiteral("&(.)"));
    return button()->text().replace(mnemonic, QStringLiteral("\\1"));
}

QStringList TwoStateButtonAccessible::actionNames() const {
    QStringList names;
    if (widget()->isEnabled()) names << toggleAction() << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void TwoStateButtonAccessible::doAction(const QString& actionName) {
    if (actionName == toggleAction() || actionName == pressAction()) {
        if (widget()->isEnabled()) button()->click();
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}
