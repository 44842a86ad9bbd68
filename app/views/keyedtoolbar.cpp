#include "keyedtoolbar.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QMenu>
#include <QToolButton>

namespace {
const char kKeyProperty[] = "key";
}

KeyedToolBar::KeyedToolBar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
}

QToolButton* KeyedToolBar::addKeyedButton(const Button& spec) {
    auto* button = new QToolButton(this);
    const QString key = QString::fromUtf8(spec.key);
    button->setObjectName(key);
    button->setProperty(kKeyProperty, key);
    // The tool tip is marked for translation in the context of the toolbar's own class.
    const QString toolTip = QCoreApplication::translate(metaObject()->className(), spec.toolTip);
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setIcon(QIcon::fromTheme(QString::fromUtf8(spec.themeIcon),
                                     QIcon(QString::fromUtf8(spec.fallback))));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, [this, key] { emit ButtonClick(key); });
    actions_.append(addWidget(button));
    buttons_.append(button);
    return button;
}

void KeyedToolBar::addMenuEntries(const QString& key,
                                  const QList<QPair<QString, QString>>& entries) {
    QToolButton* owner = button(key);
    if (!owner) return;
    auto* menu = new QMenu(owner);
    for (const auto& [entryKey, caption] : entries) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(entryKey);
        connect(action, &QAction::triggered, this,
                [this, k = entryKey] { emit ButtonMenuClick(k); });
    }
    owner->setMenu(menu);
    owner->setPopupMode(QToolButton::MenuButtonPopup);
}

QToolButton* KeyedToolBar::button(const QString& key) const {
    for (QToolButton* b : buttons_)
        if (b->property(kKeyProperty).toString() == key) return b;
    return nullptr;
}

void KeyedToolBar::setButtonVisible(const QString& key, bool visible) {
    const qsizetype at = buttons_.indexOf(button(key));
    if (at >= 0) actions_[at]->setVisible(visible);
}

QStringList KeyedToolBar::keys() const {
    QStringList result;
    for (const QToolButton* b : buttons_) result << b->property(kKeyProperty).toString();
    return result;
}
