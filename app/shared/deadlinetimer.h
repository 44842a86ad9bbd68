#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

// Wakes at an absolute time: a precise system timer sleeps until shortly before it and the
// last stretch is waited out on the spot, since a system timer wakes a millisecond or so late,
// which would be heard as jitter.
class DeadlineTimer : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;

    explicit DeadlineTimer(QObject* parent = nullptr);

    // Replaces any wake-up still pending.
    void start(Clock::time_point due);
    void stop() { timer_.stop(); }
    bool isActive() const { return timer_.isActive(); }

signals:
    // At the time given, or as soon after it as the thread is free.
    void reached();

private:
    void sleep();
    void wake();

    QTimer timer_;
    Clock::time_point due_{};
};
