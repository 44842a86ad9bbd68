#pragma once

#include "cycleclock.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

typedef struct _jack_client jack_client_t;
typedef struct _jack_port jack_port_t;

namespace midi::detail {

// The process's one JACK client "Beatloft": two audio outputs the built-in synthesizer
// plays through and the MIDI output midi_out. It is opened on first use and only where a
// JACK server runs already: it never starts one, and without a server open() fails at
// once. Made on the heap and never destroyed, as the server's thread may still call it
// while the program ends.
class JackClient {
public:
    using Clock = std::chrono::steady_clock;
    // Fills a cycle's frames of both channels; cycleStart is the cycle's first JACK frame.
    using AudioSource = std::function<void(float* left, float* right, std::uint32_t frames,
                                           std::uint32_t cycleStart)>;

    static JackClient& instance();

    // Opens the client, registers its ports and activates it, unless that happened already.
    // False when no JACK server runs or the server has gone.
    bool open();
    bool isLost() const { return lost_; }
    std::uint32_t sampleRate() const { return rate_; }
    // From an event's time until it is heard, at the server's current buffer size.
    Clock::duration latency() const;
    // The JACK frame at a time of the steady clock; on the server's thread only.
    std::uint32_t frameAt(Clock::time_point at) const;
    QString midiPortName() const { return midiPortName_; }

    // source is called for every cycle from then on, on the server's thread.
    void setAudioSource(AudioSource source);
    // The bytes of one message go out on midi_out at the frame of at plus latency().
    void sendMidi(Clock::time_point at, const QByteArray& bytes);
    // Drops the MIDI messages not sent yet.
    void clearMidi();
    // Drops the messages stamped after `after` that have not left yet.
    void withdrawMidi(Clock::time_point after);
    // While on, the outputs are connected to the system's playback ports (from the next
    // open on, and at once when open).
    void setAutoConnect(bool on);

private:
    struct Pending {
        Clock::time_point due;  // the message's time plus latency()
        QByteArray bytes;
    };

    JackClient() = default;
    bool registerPorts();
    // At the program's end: the ports go, and the server no longer waits for the client.
    void close();
    void connectToSystem();
    static int process(std::uint32_t frames, void* self);
    void writeMidi(void* buffer, std::uint32_t cycleStart, std::uint32_t frames);

    std::mutex openMutex_;
    jack_client_t* client_ = nullptr;
    jack_port_t* left_ = nullptr;
    jack_port_t* right_ = nullptr;
    jack_port_t* midi_ = nullptr;
    QString midiPortName_;
    std::uint32_t rate_ = 0;
    std::atomic<bool> lost_{false};
    std::atomic<bool> autoConnect_{false};

    CycleClock cycleClock_;  // the server's thread only

    std::mutex sourceMutex_;
    AudioSource source_;
    std::mutex midiMutex_;
    std::vector<Pending> pending_;
};

}  // namespace midi::detail
