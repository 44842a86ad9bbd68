#pragma once

#include "inputnotification.h"
#include "midibackend.h"

#include <QMetaObject>
#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>

class QObject;

namespace midi::detail {

// The state of one open input handle: started or not, the buffers lent to it, and the
// notification target. Backends deliver into it on any thread; it posts every report to
// the target, so reports are handled on the target's own thread. After detach(), or once
// the target is destroyed, nothing more is posted.
class InputPort : public InputSink, public std::enable_shared_from_this<InputPort> {
public:
    // A short message counts as MoreData when this many earlier ones are still unhandled.
    static constexpr int kBacklogForMoreData = 64;

    static std::shared_ptr<InputPort> create(QObject* target);
    ~InputPort() override;

    // --- called on the UI thread ---
    void notify(InputNotification::Kind kind);
    Result addBuffer(MidiHeader* header);
    bool hasBuffers() const;
    void start();
    void stop();
    // Stops input and returns every lent buffer as done, a LongData report each.
    void returnBuffers();
    void detach();

    // --- called on any thread ---
    void shortReceived(std::uint32_t message) override;
    void longReceived(const QByteArray& sysex) override;
    void errorReceived(std::uint32_t message) override;

private:
    explicit InputPort(QObject* target);
    void watchTarget();
    std::uint32_t elapsedMsLocked() const;
    void postLocked(InputNotification::Kind kind, std::uint32_t message, MidiHeader* header);

    mutable std::mutex mutex_;
    QObject* target_;
    QMetaObject::Connection targetWatch_;
    bool started_ = false;
    std::chrono::steady_clock::time_point startTime_;
    std::deque<MidiHeader*> buffers_;
    std::shared_ptr<std::atomic<int>> unhandledData_;
};

}  // namespace midi::detail
