#include "inputport.h"

#include <QCoreApplication>
#include <QObject>
#include <algorithm>
#include <cstring>

namespace midi::detail {

namespace {

// A data report that counts itself as unhandled until the target's thread has handled
// (and so deleted) it.
class CountedNotification : public InputNotification {
public:
    CountedNotification(Kind kind, std::uint32_t message, std::uint32_t timestampMs,
                        std::shared_ptr<std::atomic<int>> counter)
        : InputNotification(kind, message, timestampMs), counter_(std::move(counter)) {
        ++*counter_;
    }
    ~CountedNotification() override { --*counter_; }

private:
    std::shared_ptr<std::atomic<int>> counter_;
};

}  // namespace

std::shared_ptr<InputPort> InputPort::create(QObject* target) {
    std::shared_ptr<InputPort> port(new InputPort(target));
    port->watchTarget();
    return port;
}

InputPort::InputPort(QObject* target)
    : target_(target), unhandledData_(std::make_shared<std::atomic<int>>(0)) {}

InputPort::~InputPort() {
    QObject::disconnect(targetWatch_);
}

void InputPort::watchTarget() {
    if (!target_) return;
    // Runs on the target's thread at the start of its destruction, before Qt drops the
    // reports still queued for it: from then on nothing more is posted.
    const std::weak_ptr<InputPort> weak = weak_from_this();
    targetWatch_ = QObject::connect(target_, &QObject::destroyed, [weak] {
        if (const std::shared_ptr<InputPort> port = weak.lock()) {
            std::lock_guard lock(port->mutex_);
            port->target_ = nullptr;
        }
    });
}

void InputPort::detach() {
    QObject::disconnect(targetWatch_);
    std::lock_guard lock(mutex_);
    target_ = nullptr;
    started_ = false;
}

std::uint32_t InputPort::elapsedMsLocked() const {
    if (!started_) return 0;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - startTime_);
    return static_cast<std::uint32_t>(elapsed.count());
}

void InputPort::postLocked(InputNotification::Kind kind, std::uint32_t message,
                           MidiHeader* header) {
    if (!target_) return;
    const std::uint32_t time = elapsedMsLocked();
    InputNotification* report = nullptr;
    if (kind == InputNotification::Data || kind == InputNotification::MoreData)
        report = new CountedNotification(kind, message, time, unhandledData_);
    else
        report = new InputNotification(kind, message, time, header);
    QCoreApplication::postEvent(target_, report);
}

void InputPort::notify(InputNotification::Kind kind) {
    std::lock_guard lock(mutex_);
    postLocked(kind, 0, nullptr);
}

Result InputPort::addBuffer(MidiHeader* header) {
    std::lock_guard lock(mutex_);
    if (std::find(buffers_.begin(), buffers_.end(), header) != buffers_.end()) return kStillPlaying;
    header->bytesRecorded = 0;
    header->flags = (header->flags & ~MidiHeader::kDone) | MidiHeader::kInQueue;
    buffers_.push_back(header);
    return kNoError;
}

bool InputPort::hasBuffers() const {
    std::lock_guard lock(mutex_);
    return !buffers_.empty();
}

void InputPort::start() {
    std::lock_guard lock(mutex_);
    if (started_) return;
    started_ = true;
    startTime_ = std::chrono::steady_clock::now();
}

void InputPort::stop() {
    std::lock_guard lock(mutex_);
    started_ = false;
}

void InputPort::returnBuffers() {
    std::lock_guard lock(mutex_);
    started_ = false;
    while (!buffers_.empty()) {
        MidiHeader* header = buffers_.front();
        buffers_.pop_front();
        header->flags = (header->flags & ~MidiHeader::kInQueue) | MidiHeader::kDone;
        postLocked(InputNotification::LongData, 0, header);
    }
}

void InputPort::shortReceived(std::uint32_t message) {
    std::lock_guard lock(mutex_);
    if (!started_) return;
    const bool backedUp = unhandledData_->load() >= kBacklogForMoreData;
    postLocked(backedUp ? InputNotification::MoreData : InputNotification::Data, message, nullptr);
}

void InputPort::errorReceived(std::uint32_t message) {
    std::lock_guard lock(mutex_);
    if (!started_) return;
    postLocked(InputNotification::Error, message, nullptr);
}

void InputPort::longReceived(const QByteArray& sysex) {
    std::lock_guard lock(mutex_);
    if (!started_) return;
    // A block that does not run from 0xF0 to 0xF7 is reported as a long error.
    const bool complete = sysex.size() >= 2 && sysex.startsWith('\xF0') && sysex.endsWith('\xF7');
    qsizetype offset = 0;
    // A block larger than one buffer continues in the next; without a lent buffer the
    // rest is lost, as on a cable.
    while (offset < sysex.size() && !buffers_.empty()) {
        MidiHeader* header = buffers_.front();
        buffers_.pop_front();
        const auto count = std::min<qsizetype>(sysex.size() - offset,
                                               static_cast<qsizetype>(header->bufferLength));
        if (count > 0) std::memcpy(header->data, sysex.constData() + offset, count);
        offset += count;
        header->bytesRecorded = static_cast<std::uint32_t>(count);
        header->flags = (header->flags & ~MidiHeader::kInQueue) | MidiHeader::kDone;
        const bool last = offset >= sysex.size() || buffers_.empty();
        postLocked(complete || !last ? InputNotification::LongData : InputNotification::LongError,
                   0, header);
        if (count == 0) break;
    }
}

}  // namespace midi::detail
