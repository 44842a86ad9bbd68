#pragma once

#include "midiresult.h"
#include "synthevent.h"
#include "timedrenderer.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

namespace midi::detail {

// The built-in synthesizer's engine, one for the whole process: made on first use (sound
// font loaded, audio stream running) and kept until the program ends, so opening and
// closing the synthesizer device only attaches to it. Every event carries a time and is
// heard at that time plus kLatency, on the engine's own sample clock: the audio thread
// maps the steady clock onto the frames it renders and applies each event at its frame.
// Without an audio stream (no sound server, no sound card) events are applied at once.
class SynthEngine {
public:
    using Clock = std::chrono::steady_clock;
    // How far behind its time an event is heard: the audio buffer the stream keeps ahead
    // of the clock plus room for a tick handled late on a busy UI thread.
    static constexpr Clock::duration kLatency = std::chrono::milliseconds(15);

    static SynthEngine& instance();

    // Starts the engine unless it runs already. A failed start leaves nothing behind, so
    // the next call tries again.
    Result start(QString* error = nullptr);
    void send(Clock::time_point at, const SynthEvent& event);
    // At the program's end: the stream plays silence from now on and goes with the
    // process, without waiting for the server to play out its buffer (closing the driver
    // would drain it). Events sent afterwards are applied at once.
    void mute();

    // How often a sound font was loaded (once, however often the device is opened).
    int fontLoads() const { return fontLoads_; }
    // Voices started and neither released nor silenced.
    int soundingVoices() const;
    QString audioDriver() const;

private:
    SynthEngine() = default;
    static int renderPeriod(void* data, int frames, int effectCount, float* effects[],
                            int outputCount, float* outputs[]);
    void render(float* left, float* right, int frames);
    void followClock(Clock::time_point now);
    qint64 frameAt(Clock::time_point at) const;

    struct Timed {
        Clock::time_point at;
        SynthEvent event;
    };

    std::mutex mutex_;  // guards incoming_, streaming_ and every use of the renderer
    bool streaming_ = false;
    std::vector<Timed> incoming_;
    TimedRenderer renderer_;
    int fontLoads_ = 0;
    // Audio thread only: the steady-clock time of engine frame 0.
    Clock::time_point origin_;
    bool anchored_ = false;
};

}  // namespace midi::detail
