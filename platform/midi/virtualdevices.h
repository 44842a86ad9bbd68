#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <chrono>
#include <cstdint>

namespace midi {

// What a virtual output device received.
struct RecordedMessage {
    std::chrono::steady_clock::time_point time;  // when it arrived
    std::uint32_t shortMessage = 0;              // 0 for a long message
    QByteArray longMessage;                      // empty for a short message
    // The time it carried (MessageClock): a playback tick's ideal time, else its arrival.
    std::chrono::steady_clock::time_point stamp;
};

// Devices that exist only in this process: outputs record every message, inputs deliver
// what code injects. Added devices come after the ALSA ports (or alone, in virtual-only
// mode) and before the built-in synthesizer.
class VirtualDevices {
public:
    // Returns the new device's output id.
    static unsigned addOutput(const QString& name);
    // Returns the new device's input id.
    static unsigned addInput(const QString& name);
    // Removes every virtual device (open handles on them become invalid).
    static void clear();

    static QList<RecordedMessage> received(unsigned outputId);
    static void clearReceived(unsigned outputId);
    // How long an output keeps a long message before it reports it done (0: at once).
    static void setLongMessageDelay(unsigned outputId, int milliseconds);
    // Whether an output says it plays messages at the time they carry (as the synthesizer
    // does), so that playback sends them ahead; off for a new device.
    static void setPlacesByTime(unsigned outputId, bool on);
    // Whether an output is open now, and how many times it was opened and closed.
    static bool isOpen(unsigned outputId);
    static int openCount(unsigned outputId);
    static int closeCount(unsigned outputId);

    // Input: delivered like bytes from a cable, on any thread; reports reach the target
    // on its own thread.
    static void injectShort(unsigned inputId, std::uint32_t message);
    static void injectLong(unsigned inputId, const QByteArray& sysex);
    static void injectError(unsigned inputId, std::uint32_t message);
};

}  // namespace midi
