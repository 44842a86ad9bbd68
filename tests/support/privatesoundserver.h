#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private PulseAudio daemon with a null sink (scripts/private-pulse), made this process's
// sound server for as long as the object lives: XDG_RUNTIME_DIR points at its folder, so
// the process and the programs it starts play into the null sink.
class PrivateSoundServer {
public:
    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    bool isRunning() const { return running_; }
    // Why the daemon is not running (for a skipped test).
    QString reason() const { return reason_; }

private:
    bool script(const QString& command);

    QTemporaryDir dir_;
    QByteArray previousRuntime_;
    bool hadRuntime_ = false;
    bool running_ = false;
    QString reason_;
};
