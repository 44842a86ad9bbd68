#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private PulseAudio daemon with a null sink (scripts/private-pulse), made this process's
// sound server for as long as the object lives: XDG_RUNTIME_DIR points at its folder, so
// the process and the programs it starts play into the null sink.
class PrivateSoundServer {
public:
    // KeptAwake: the sink at 50 kHz, kept running by a silent client; Plain: as on a
    // desktop, the sink at the server's default rate and nothing else playing.
    enum class Setup { KeptAwake, Plain };

    explicit PrivateSoundServer(Setup setup = Setup::KeptAwake);
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    bool isRunning() const { return running_; }
    // Why the daemon is not running (for a skipped test).
    QString reason() const { return reason_; }
    // The daemon's process id, 0 when it is not running.
    qint64 daemonPid() const;

private:
    bool script(const QStringList& arguments);

    QTemporaryDir dir_;
    QByteArray previousRuntime_;
    bool hadRuntime_ = false;
    bool running_ = false;
    QString reason_;
};
