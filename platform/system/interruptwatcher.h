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

    // Takes SIGINT and SIGTERM from now on, also where the starting process blocked them;
    // a signal that comes before a watcher exists is kept for the first one.
    static void catchSignals();
    // True once one of the two signals came; for work that runs without an event loop.
    static bool hasCaught();

signals:
    void interrupted();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace sys
