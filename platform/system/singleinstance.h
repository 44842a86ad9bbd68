#pragma once

#include <QString>

namespace sys {

// Tells whether another instance of the program runs for this user: the first instance
// holds a lock on a file in the user's runtime folder for as long as it lives. The system
// lets go of the lock when the process ends, however it ends, so an instance that crashed
// leaves nothing behind to be judged stale, and the lock is never written through to a disk.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool isAnotherRunning() const { return anotherRunning_; }

private:
    int file_ = -1;  // open while this instance holds the lock
    bool anotherRunning_ = false;
};

}  // namespace sys
