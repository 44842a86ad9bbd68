#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace sys {

// Tells whether another instance of the program runs for this user: the first instance
// holds a lock file in the user's runtime folder for as long as it lives.
class SingleInstance {
public:
    explicit SingleInstance(const QString& name);
    ~SingleInstance();

    bool isAnotherRunning() const { return !owner_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool owner_ = false;
};

}  // namespace sys
