#pragma once

#include <QAccessibleWidget>

class QAbstractButton;

// A two-state push button as assistive tools see it: a check box, as the toolkit shows
// it, named by its caption. Its Toggle and Press actions click the button, so they run the
// same handlers as the mouse (connected to clicked()), while a state put by the program
// itself stays as quiet as ever.
class TwoStateButtonAccessible : public QAccessibleWidget {
public:
    explicit TwoStateButtonAccessible(QAbstractButton* button);

    // Serves every checkable push button of the program from then on; installs once, and
    // after the application object, so it comes before the toolkit's own buttons.
    static void installFactory();

    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QAbstractButton* button() const;
};
