#pragma once

#include "earlyevents.h"
#include "midiresult.h"
#include "pulsestream.h"
#include "streamclock.h"
#include "streamidle.h"
#include "synthevent.h"
#include "timedrenderer.h"

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

namespace midi::detail {

// The built-in synthesizer's engine, one for the whole process: made on first use (sound
// font loaded, audio stream running) and kept until the program ends, so opening and
// closing the synthesizer device only attaches to it. Every event carries a time and is
// heard at that time plus kLatency, on the engine's own sample clock: the audio thread
// follows the device's requests with a StreamClock and applies each event at its frame.
// The sound goes to the program's JACK client where a JACK server runs, each event placed
// at its JACK frame; otherwise to a PulseAudio stream of our own with a short buffer, at the
// rate of the server's default sink so that the server does not resample it; where
// there is no PulseAudio server, to FluidSynth's ALSA driver. Without any audio stream (no
// sound server, no sound card) events are applied at once. The PulseAudio stream pauses
// when nothing has sounded for a while (StreamIdle) and the next event resumes it; events
// due before the device plays again are placed from its real start (StreamClock).
class SynthEngine {
public:
    using Clock = std::chrono::steady_clock;
    // How far behind its time an event is heard: the audio buffer the stream keeps ahead
    // of the clock (PulseStream::kBuffer) plus room for a tick handled late on a busy UI
    // thread.
    static constexpr Clock::duration kLatency = std::chrono::milliseconds(15);
    // A note-on that could not be heard within this of its time is left out: a stream that
    // starts late or a stalled thread never brings a burst of notes.
    static constexpr Clock::duration kStale = std::chrono::milliseconds(100);

    // The longest the end of the program waits for the events sent to be rendered, beyond
    // the time a device's late start moved them back.
    static constexpr Clock::duration kLongestOutro = std::chrono::milliseconds(2500);

    static SynthEngine& instance();

    // Starts the engine unless it runs already. A failed start leaves nothing behind, so
    // the next call tries again. Events sent while it starts are kept (EarlyEvents).
    Result start(QString* error = nullptr);
    // A start is under way on some thread, or expected.
    bool isStarting() const { return starting_; }
    // start() will be called shortly: until it ends, what is sent is kept as while it runs.
    void expectStart();
    void send(Clock::time_point at, const SynthEvent& event);
    // Takes back the events stamped after `after`: what playback sent ahead of a stop. An
    // event sent ahead waits until its time before it is rendered, so none has sounded.
    void withdraw(Clock::time_point after);
    // At the program's end: once the notes sent so far have been rendered (those of a
    // device that started late come after their time), the stream plays silence and goes
    // with the process, without waiting for the server to play out its buffer (closing the
    // driver would drain it). Events sent afterwards are applied at once.
    void mute();

    // How often a sound font was loaded (once, however often the device is opened).
    int fontLoads() const { return fontLoads_; }
    // Voices started and neither released nor silenced.
    int soundingVoices() const;
    QString audioDriver() const;

private:
    using Pace = PulseStream::Pace;

    SynthEngine() = default;
    int chooseOutputRate(bool jack);
    bool openStream();
    void setStarting(bool on);
    // On the server's thread, for every JACK cycle.
    void renderJack(float* left, float* right, std::uint32_t frames, std::uint32_t cycleStart);
    // With mutex_ held: hands the renderer every event due by now, at its JACK frame.
    void scheduleForJack(Clock::time_point now, std::uint32_t cycleStart);
    // With mutex_ held: see the definition.
    template <typename Place>
    void keepWaiting(Place place);
    // The sound server went away: nothing asks for frames any more.
    bool isStreamLost() const;
    static int renderPeriod(void* data, int frames, int effectCount, float* effects[],
                            int outputCount, float* outputs[]);
    // On the audio thread, for every request of the stream, with mutex_ held: the device
    // asked at now for asked frames from the next one to render. Follows the device's clock
    // and hands the renderer every event due soon. False while muted.
    bool follow(Clock::time_point now, Pace pace, int asked);
    // After rendering a request of the PulseAudio stream: false pauses the stream.
    bool keepsStreaming(Clock::time_point now, const float* stereo, int frames);
    void scheduleIncoming(Clock::time_point now);
    // With mutex_ held: keeps an event for the stream, or applies it where none plays.
    void hold(Clock::time_point at, const SynthEvent& event);
    bool isStale(const SynthEvent& event, qint64 frame) const;
    // With mutex_ held: a note-on waits to be rendered.
    bool hasNoteToCome() const;

    struct Timed {
        Clock::time_point at;
        SynthEvent event;
    };

    std::mutex startMutex_;
    std::mutex mutex_;  // guards incoming_, streaming_ and every use of the renderer
    bool streaming_ = false;
    std::atomic<bool> starting_{false};  // written with mutex_ held
    EarlyEvents early_;                  // with mutex_ held
    std::vector<Timed> incoming_;
    TimedRenderer renderer_;
    int fontLoads_ = 0;
    PulseStream pulse_;
    QString pulseDriver_;
    bool jack_ = false;  // plays through the JACK client; set before streaming_
    // From a request of the stream until its frames are heard; set before streaming_.
    Clock::duration delay_{};
    // With mutex_ held, once the stream runs.
    StreamClock clock_{TimedRenderer::kDefaultRate};
    StreamIdle idle_;                // with mutex_ held
    Clock::time_point lastSound_{};  // the last request of the stream that rendered sound
    bool periodAsked_ = false;
};

}  // namespace midi::detail
