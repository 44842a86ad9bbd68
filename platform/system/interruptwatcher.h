#pragma once

#include <QObject>

class QSocketNotifier;

namespace sys {

// Turns SIGINT and SIGTERM into a signal on the UI thread, so the program can close its
// windows and end normally when a terminal or the session asks it to stop.
class InterruptWatcher : public QObject {
    Q_OBJECT

public:
    explicit InterruptWatcher(QObject* parent = nullptr);
    ~InterruptWatcher() override;

signals:
    void interrupted();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace sys
