#include "tapcellaccessible.h"

#include "tapcell.h"

namespace {

QAccessibleInterface* createInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(Tapcell::staticMetaObject.className())) return nullptr;
    auto* cell = qobject_cast<Tapcell*>(object);
    return cell ? new TapcellAccessible(cell) : nullptr;
}

}  // namespace

TapcellAccessible::TapcellAccessible(Tapcell* cell)
    : QAccessibleWidget(cell, QAccessible::CheckBox) {}

void TapcellAccessible::installFactory() {
    static const bool installed = (QAccessible::installFactory(&createInterface), true);
    Q_UNUSED(installed);
}

void TapcellAccessible::announceLevel(Tapcell* cell) {
    if (!QAccessible::isActive()) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent state(cell, changed);
    QAccessible::updateAccessibility(&state);
    QAccessibleEvent description(cell, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

QString TapcellAccessible::levelText(int level) {
    static const QStringList words = {QStringLiteral("aus"), QStringLiteral("leicht"),
                                      QStringLiteral("normal"), QStringLiteral("stark")};
    return words.value(level, QString::number(level));
}

Tapcell* TapcellAccessible::cell() const {
    return static_cast<Tapcell*>(widget());
}

QAccessible::State TapcellAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = cell()->value() != Tapcell::Unpressed;
    return s;
}

QString TapcellAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value || t == QAccessible::Description) return levelText(cell()->value());
    return QAccessibleWidget::text(t);
}

QStringList TapcellAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void TapcellAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        if (widget()->isEnabled()) cell()->click(Qt::LeftButton);
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

QStringList TapcellAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction()) return {QStringLiteral("Space")};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
