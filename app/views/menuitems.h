#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <initializer_list>

// Menus built from a table: each item names the member of the owner that keeps its action.
namespace menuitems {

template <typename Owner>
struct Item {
    QAction* Owner::*action;
    const char* caption;   // marked for translation in the owner's context
    const char* shortcut;  // "" for none
};

template <typename Owner>
void fill(QMenu* menu, Owner* owner, std::initializer_list<Item<Owner>> items) {
    for (const Item<Owner>& item : items) {
        QAction* action = menu->addAction(
            QCoreApplication::translate(owner->metaObject()->className(), item.caption));
        action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        owner->*item.action = action;
    }
}

}  // namespace menuitems
