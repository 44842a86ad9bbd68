#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Runs work once a window has been drawn for the first time, when the event loop is free
// again: what the first sight of the window does not need waits for it.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> work_;
};
