#pragma once

#include <QAccessibleWidget>

class Tapcell;

// What a screen reader learns about a cell: a check box named by its container, checked
// while its level is not off, the level as value and description, and the action "Press",
// which is a left click.
class TapcellAccessible : public QAccessibleWidget {
public:
    explicit TapcellAccessible(Tapcell* cell);

    // Makes every cell of the process reachable through QAccessible; installs once.
    static void installFactory();
    // Tells assistive tools that the level of the cell changed.
    static void announceLevel(Tapcell* cell);
    // "aus", "leicht", "normal", "stark"; a value outside the four levels as its number.
    static QString levelText(int level);

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    Tapcell* cell() const;
};
