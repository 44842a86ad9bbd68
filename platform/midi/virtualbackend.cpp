#include "virtualbackend.h"

#include "messageclock.h"

#include <algorithm>

namespace midi::detail {

class MidiOutVirtual : public OutputConnection {
public:
    MidiOutVirtual(std::mutex& mutex, std::shared_ptr<VirtualBackend::Output> output)
        : mutex_(mutex), output_(std::move(output)) {
        output_->open = true;
        ++output_->opens;
    }
    ~MidiOutVirtual() override {
        std::lock_guard lock(mutex_);
        output_->open = false;
        ++output_->closes;
    }
    Result sendShort(std::uint32_t message) override {
        std::lock_guard lock(mutex_);
        output_->received.append(
            RecordedMessage{std::chrono::steady_clock::now(), message, {}, MessageClock::now()});
        return kNoError;
    }
    Result sendLong(const QByteArray& bytes, int* holdMs) override {
        std::lock_guard lock(mutex_);
        output_->received.append(
            RecordedMessage{std::chrono::steady_clock::now(), 0, bytes, MessageClock::now()});
        *holdMs = output_->longDelayMs;
        return kNoError;
    }
    Result reset() override { return kNoError; }

private:
    std::mutex& mutex_;
    std::shared_ptr<VirtualBackend::Output> output_;
};

class MidiInVirtual : public InputConnection {
public:
    MidiInVirtual(std::mutex& mutex, std::shared_ptr<VirtualBackend::Input> input,
                  std::shared_ptr<InputSink> sink)
        : mutex_(mutex), input_(std::move(input)) {
        input_->sink = std::move(sink);
    }
    ~MidiInVirtual() override {
        std::lock_guard lock(mutex_);
        input_->sink.reset();
    }

private:
    std::mutex& mutex_;
    std::shared_ptr<VirtualBackend::Input> input_;
};

namespace {

template <class Map>
typename Map::mapped_type find(const Map& map, const QString& key) {
    bool ok = false;
    const int number = key.toInt(&ok);
    const auto it = ok ? map.find(number) : map.end();
    return it == map.end() ? nullptr : it->second;
}

template <class Map>
QList<PortInfo> list(const Map& map) {
    QList<PortInfo> ports;
    for (const auto& [key, device] : map)
        ports.append(PortInfo{QString::number(key), device->name});
    return ports;
}

}  // namespace

QString VirtualBackend::addOutput(const QString& name) {
    std::lock_guard lock(mutex_);
    const int key = nextKey_++;
    outputs_[key] = std::make_shared<Output>(Output{name, {}, 0, false, 0, 0});
    return QString::number(key);
}

QString VirtualBackend::addInput(const QString& name) {
    std::lock_guard lock(mutex_);
    const int key = nextKey_++;
    inputs_[key] = std::make_shared<Input>(Input{name, nullptr});
    return QString::number(key);
}

void VirtualBackend::clear() {
    std::lock_guard lock(mutex_);
    outputs_.clear();
    inputs_.clear();
}

QList<RecordedMessage> VirtualBackend::received(const QString& key) const {
    std::lock_guard lock(mutex_);
    const auto output = find(outputs_, key);
    return output ? output->received : QList<RecordedMessage>();
}

void VirtualBackend::clearReceived(const QString& key) {
    std::lock_guard lock(mutex_);
    if (const auto output = find(outputs_, key)) output->received.clear();
}

void VirtualBackend::setLongMessageDelay(const QString& key, int milliseconds) {
    std::lock_guard lock(mutex_);
    if (const auto output = find(outputs_, key)) output->longDelayMs = std::max(0, milliseconds);
}

void VirtualBackend::setPlacesByTime(const QString& key, bool on) {
    std::lock_guard lock(mutex_);
    if (const auto output = find(outputs_, key)) output->placesByTime = on;
}

bool VirtualBackend::placesByTime(const QString& key) const {
    std::lock_guard lock(mutex_);
    const auto output = find(outputs_, key);
    return output && output->placesByTime;
}

void VirtualBackend::withdraw(const QString& key, std::chrono::steady_clock::time_point after) {
    std::lock_guard lock(mutex_);
    const auto output = find(outputs_, key);
    if (!output || !output->placesByTime) return;
    output->received.removeIf([after](const RecordedMessage& m) { return m.stamp > after; });
}

bool VirtualBackend::isOpen(const QString& key) const {
    std::lock_guard lock(mutex_);
    const auto output = find(outputs_, key);
    return output && output->open;
}

int VirtualBackend::openCount(const QString& key) const {
    std::lock_guard lock(mutex_);
    const auto output = find(outputs_, key);
    return output ? output->opens : 0;
}

int VirtualBackend::closeCount(const QString& key) const {
    std::lock_guard lock(mutex_);
    const auto output = find(outputs_, key);
    return output ? output->closes : 0;
}

std::shared_ptr<InputSink> VirtualBackend::sinkOf(const QString& key) const {
    std::lock_guard lock(mutex_);
    const auto input = find(inputs_, key);
    return input ? input->sink : nullptr;
}

// The sink is taken out of the lock before delivery; the sink itself drops what arrives
// after its handle was closed.
void VirtualBackend::injectShort(const QString& key, std::uint32_t message) {
    if (const auto sink = sinkOf(key)) sink->shortReceived(message);
}

void VirtualBackend::injectLong(const QString& key, const QByteArray& sysex) {
    if (const auto sink = sinkOf(key)) sink->longReceived(sysex);
}

void VirtualBackend::injectError(const QString& key, std::uint32_t message) {
    if (const auto sink = sinkOf(key)) sink->errorReceived(message);
}

QList<PortInfo> VirtualBackend::outputs() {
    std::lock_guard lock(mutex_);
    return list(outputs_);
}

QList<PortInfo> VirtualBackend::inputs() {
    std::lock_guard lock(mutex_);
    return list(inputs_);
}

Result VirtualBackend::openOutput(const QString& key,
                                  std::unique_ptr<OutputConnection>* connection) {
    std::lock_guard lock(mutex_);
    const auto output = find(outputs_, key);
    if (!output) return kBadDeviceId;
    *connection = std::make_unique<MidiOutVirtual>(mutex_, output);
    return kNoError;
}

Result VirtualBackend::openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                                 std::unique_ptr<InputConnection>* connection) {
    std::lock_guard lock(mutex_);
    const auto input = find(inputs_, key);
    if (!input) return kBadDeviceId;
    *connection = std::make_unique<MidiInVirtual>(mutex_, input, sink);
    return kNoError;
}

}  // namespace midi::detail
