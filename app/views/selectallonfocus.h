#pragma once

#include <QObject>

// A watched text field selects its whole text when it gets the focus, so typing replaces
// the value in a single change.
class SelectAllOnFocus : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
