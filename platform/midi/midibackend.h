#pragma once

#include "midiresult.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>

// The one small interface every MIDI backend implements (ALSA ports, the built-in
// synthesizer, virtual devices). MidiServices numbers the ports of all backends and keeps
// the handles, headers and input buffers; a backend only lists, opens and moves bytes.
namespace midi::detail {

struct PortInfo {
    QString key;  // names the port inside its backend, stable across rescans
    QString productName;
};

// Where an open input delivers what arrives. Called on any thread.
class InputSink {
public:
    virtual ~InputSink() = default;
    virtual void shortReceived(std::uint32_t message) = 0;
    virtual void longReceived(const QByteArray& sysex) = 0;
    virtual void errorReceived(std::uint32_t message) = 0;
};

class OutputConnection {
public:
    virtual ~OutputConnection() = default;
    virtual Result sendShort(std::uint32_t message) = 0;
    // *holdMs: how long the device keeps the block before it is done (0: done at once).
    virtual Result sendLong(const QByteArray& bytes, int* holdMs) = 0;
    virtual Result reset() = 0;
};

// An open input; destroying it ends every delivery to its sink.
class InputConnection {
public:
    virtual ~InputConnection() = default;
};

class MidiBackend {
public:
    virtual ~MidiBackend() = default;
    virtual QList<PortInfo> outputs() = 0;
    virtual QList<PortInfo> inputs() = 0;
    virtual Result openOutput(const QString& key,
                              std::unique_ptr<OutputConnection>* connection) = 0;
    // Does ahead of time what makes opening this output slow, so that the open which
    // follows is quick. Runs on a thread of its own, alongside the program's start-up.
    virtual void prepareOutput(const QString& /*key*/) {}
    // prepareOutput will follow shortly: an open before it must not do its work itself.
    virtual void expectOutput(const QString& /*key*/) {}
    // Whether the output plays each message at the time it carries (MessageClock) rather
    // than as it comes, so that messages may be sent ahead of their time.
    virtual bool placesByTime(const QString& /*key*/) const { return false; }
    // Takes back what was sent to the output stamped after `after` and has not been played
    // yet; only an output that places by time holds any.
    virtual void withdraw(const QString& /*key*/, std::chrono::steady_clock::time_point /*after*/) {
    }
    virtual Result openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                             std::unique_ptr<InputConnection>* connection) = 0;
};

}  // namespace midi::detail
