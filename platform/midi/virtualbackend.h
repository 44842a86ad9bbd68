#pragma once

#include "midibackend.h"
#include "virtualdevices.h"

#include <map>
#include <mutex>

namespace midi::detail {

// Devices that exist only in this process (see VirtualDevices): outputs that record
// what they receive, inputs that deliver what code injects, from any thread.
class VirtualBackend : public MidiBackend {
public:
    QString addOutput(const QString& name);  // returns the new device's key
    QString addInput(const QString& name);
    void clear();

    QList<RecordedMessage> received(const QString& key) const;
    void clearReceived(const QString& key);
    void setLongMessageDelay(const QString& key, int milliseconds);
    void setPlacesByTime(const QString& key, bool on);
    bool placesByTime(const QString& key) const override;
    // An output that places by time forgets what it received stamped after `after`.
    void withdraw(const QString& key, std::chrono::steady_clock::time_point after) override;
    bool isOpen(const QString& key) const;
    int openCount(const QString& key) const;
    int closeCount(const QString& key) const;

    void injectShort(const QString& key, std::uint32_t message);
    void injectLong(const QString& key, const QByteArray& sysex);
    void injectError(const QString& key, std::uint32_t message);

    QList<PortInfo> outputs() override;
    QList<PortInfo> inputs() override;
    Result openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) override;
    Result openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                     std::unique_ptr<InputConnection>* connection) override;

    struct Output {
        QString name;
        QList<RecordedMessage> received;
        int longDelayMs = 0;
        bool placesByTime = false;
        bool open = false;
        int opens = 0;
        int closes = 0;
    };
    struct Input {
        QString name;
        std::shared_ptr<InputSink> sink;  // set while the input is open
    };

private:
    friend class MidiOutVirtual;
    friend class MidiInVirtual;

    std::shared_ptr<InputSink> sinkOf(const QString& key) const;

    mutable std::mutex mutex_;
    int nextKey_ = 1;
    std::map<int, std::shared_ptr<Output>> outputs_;
    std::map<int, std::shared_ptr<Input>> inputs_;
};

}  // namespace midi::detail
