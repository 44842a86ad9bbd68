#include "synthengine.h"

#include "backendchoice.h"
#include "jackclient.h"
#include "jacktiming.h"

#include <fluidsynth.h>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace midi::detail {

namespace {

// Events held while the stream has not started; beyond this many the oldest are applied at
// once, so a stream that never plays does not hold them forever.
constexpr size_t kMostHeld = 4096;
// Output below this (-100 dBFS) counts as silence.
constexpr float kSilent = 1e-5f;

}  // namespace

// Made on the heap and never destroyed: devices closed while the program ends still reach
// it, and its audio thread may still ask for frames while the process goes.
SynthEngine& SynthEngine::instance() {
    static SynthEngine* engine = new SynthEngine;
    return *engine;
}

// While the font loads, events wait in early_ and nothing else touches the renderer, so
// mutex_ stays free for the devices that send them.
Result SynthEngine::start(QString* error) {
    std::lock_guard starting(startMutex_);
    if (fontLoads_ > 0) return kNoError;
    setStarting(true);
    const bool jack = backendChosen("jack") && JackClient::instance().open();
    renderer_.setRate(chooseOutputRate(jack));
    const Result result = renderer_.create(error);
    if (result != kNoError) {
        pulse_.close();
        setStarting(false);
        return result;  // tried again on the next open
    }
    ++fontLoads_;
    {
        std::lock_guard lock(mutex_);
        jack_ = jack;
        clock_ = StreamClock(renderer_.rate());
    }
    // The stream asks for frames from its own thread as soon as it runs: mutex_ is free.
    const bool streaming = openStream();
    {
        std::lock_guard lock(mutex_);
        streaming_ = streaming;
    }
    setStarting(false);
    std::atexit([] { instance().mute(); });
    return kNoError;
}

void SynthEngine::expectStart() {
    std::lock_guard starting(startMutex_);
    if (fontLoads_ == 0) setStarting(true);
}

// Before the renderer is made, which renders at this rate from then on: the JACK server's,
// or the PulseAudio server's default sink's, so that neither resamples our sound.
int SynthEngine::chooseOutputRate(bool jack) {
    if (jack) return int(JackClient::instance().sampleRate());
    if (pulse_.connect(TimedRenderer::kDefaultRate)) return pulse_.rate();
    return TimedRenderer::kDefaultRate;
}

// Ending the start hands what was sent meanwhile to the engine, or drops it when it failed.
void SynthEngine::setStarting(bool on) {
    std::lock_guard lock(mutex_);
    starting_ = on;
    if (on) return;
    if (fontLoads_ == 0) return early_.clear();
    for (const EarlyEvents::Timed& timed : early_.release(Clock::now()))
        hold(timed.at, timed.event);
}

bool SynthEngine::openStream() {
    if (jack_) {
        JackClient::instance().setAudioSource(
            [this](float* left, float* right, std::uint32_t frames, std::uint32_t cycleStart) {
                renderJack(left, right, frames, cycleStart);
            });
        return true;
    }
    const auto render = [this](float* stereo, int frames, int asked, Clock::time_point now,
                               Pace pace) {
        std::lock_guard lock(mutex_);
        if (!follow(now, pace, asked)) {
            std::fill_n(stereo, 2 * frames, 0.0f);
            return true;
        }
        renderer_.renderInterleaved(stereo, frames);
        return keepsStreaming(now, stereo, frames);
    };
    if (pulse_.open(render)) {
        delay_ = pulse_.latency();
        pulseDriver_ = QStringLiteral("pulseaudio");
        return true;
    }
    delay_ = std::chrono::microseconds(qint64(FluidSynthEngine::kMaxPeriodFrames) *
                                       FluidSynthEngine::kPeriods * 1000000 / renderer_.rate());
    return !renderer_.engine().startAudio(&SynthEngine::renderPeriod, this).isEmpty();
}

// The notes that a device's late start moved back come that much later, and are waited for.
// The last sound rendered is still on its way to the device: the stream goes on until it has
// been heard, or the end of the process would take it out of the server's buffer.
void SynthEngine::mute() {
    std::unique_lock lock(mutex_);
    const auto movedBack = std::chrono::microseconds(clock_.startDelayFrames() * 1000000 /
                                                     std::max(1, renderer_.rate()));
    const Clock::time_point until = Clock::now() + kLongestOutro + movedBack;
    while (streaming_ && hasNoteToCome() && !isStreamLost() && Clock::now() < until) {
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        lock.lock();
    }
    const Clock::time_point heard = lastSound_ + delay_;
    if (streaming_ && !isStreamLost() && heard > Clock::now()) {
        lock.unlock();
        std::this_thread::sleep_until(heard);
        lock.lock();
    }
    streaming_ = false;
}

void SynthEngine::send(Clock::time_point at, const SynthEvent& event) {
    bool resume = false;
    {
        std::lock_guard lock(mutex_);
        hold(at, event);
        resume = streaming_ && !pulseDriver_.isEmpty() &&
                 idle_.sent(Clock::now()) == StreamIdle::Action::Resume;
    }
    // Outside mutex_: the stream's thread holds the loop's lock while it takes mutex_.
    if (resume) pulse_.resume();
}

void SynthEngine::hold(Clock::time_point at, const SynthEvent& event) {
    if (starting_) return early_.keep(at, event);
    if (streaming_ && isStreamLost()) {
        // The server went away: what was held is applied, the rest at once from now on.
        streaming_ = false;
        for (const Timed& timed : incoming_) renderer_.apply(timed.event);
        incoming_.clear();
    }
    if (!streaming_) return renderer_.apply(event);
    if (incoming_.size() >= kMostHeld) {
        renderer_.apply(incoming_.front().event);
        incoming_.erase(incoming_.begin());
    }
    incoming_.push_back({at, event});
}

bool SynthEngine::hasNoteToCome() const {
    return renderer_.hasScheduledNoteOn() ||
           std::any_of(incoming_.begin(), incoming_.end(),
                       [](const Timed& timed) { return timed.event.isNoteOn(); });
}

int SynthEngine::soundingVoices() const {
    return renderer_.soundingVoices();
}

bool SynthEngine::isStreamLost() const {
    if (jack_) return JackClient::instance().isLost();
    return !pulseDriver_.isEmpty() && pulse_.isLost();
}

QString SynthEngine::audioDriver() const {
    if (jack_) return QStringLiteral("jack");
    return pulseDriver_.isEmpty() ? renderer_.engine().audioDriver() : pulseDriver_;
}

void SynthEngine::renderJack(float* left, float* right, std::uint32_t frames,
                             std::uint32_t cycleStart) {
    std::lock_guard lock(mutex_);
    if (!streaming_) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
        return;
    }
    scheduleForJack(Clock::now(), cycleStart);
    renderer_.renderPlanar(left, right, int(frames));
}

// An event stamped at t is heard at t + the client's latency: its JACK frame, counted from
// the first frame this stream rendered, is its frame in the renderer.
void SynthEngine::scheduleForJack(Clock::time_point now, std::uint32_t cycleStart) {
    const JackClient& jack = JackClient::instance();
    const JackClient::Clock::duration latency = jack.latency();
    keepWaiting([&](const Timed& timed) {
        if (timed.at > now) return true;  // sent ahead: may still be withdrawn
        const qint64 frame =
            JackTiming::engineFrame(jack.frameAt(timed.at + latency), cycleStart,
                                    renderer_.position(), jack.sampleRate(), renderer_.rate());
        if (!isStale(timed.event, frame)) renderer_.schedule(frame, timed.event);
        return false;
    });
}

// Hands each event to place() in the order sent (a note and its end share a frame, and
// place() may schedule it); those for which it gives true keep waiting, in their order.
template <typename Place>
void SynthEngine::keepWaiting(Place place) {
    size_t kept = 0;
    for (size_t i = 0; i < incoming_.size(); ++i) {
        if (!place(incoming_[i])) continue;
        if (kept != i) incoming_[kept] = std::move(incoming_[i]);
        ++kept;
    }
    incoming_.resize(kept);
}

void SynthEngine::withdraw(Clock::time_point after) {
    std::lock_guard lock(mutex_);
    early_.withdraw(after);
    keepWaiting([after](const Timed& timed) { return timed.at <= after; });
}

int SynthEngine::renderPeriod(void* data, int frames, int, float*[], int outputCount,
                              float* outputs[]) {
    if (outputCount < 2) return FLUID_FAILED;
    const Clock::time_point now = Clock::now();
    auto* engine = static_cast<SynthEngine*>(data);
    std::lock_guard lock(engine->mutex_);
    const Pace pace = engine->periodAsked_ ? Pace::Steady : Pace::First;
    engine->periodAsked_ = true;
    if (engine->follow(now, pace, frames)) {
        engine->renderer_.renderPlanar(outputs[0], outputs[1], frames);
    } else {
        std::fill_n(outputs[0], frames, 0.0f);
        std::fill_n(outputs[1], frames, 0.0f);
    }
    return FLUID_OK;
}

// The first request fills the buffer before the device plays and says nothing about its
// clock; the mapping is anchored on the first request that comes as it plays.
bool SynthEngine::keepsStreaming(Clock::time_point now, const float* stereo, int frames) {
    const bool sounding = !incoming_.empty() || renderer_.hasScheduled() ||
                          std::any_of(stereo, stereo + 2 * frames,
                                      [](float sample) { return std::fabs(sample) > kSilent; });
    if (sounding) lastSound_ = now;
    if (idle_.rendered(now, sounding) != StreamIdle::Action::Pause) return true;
    clock_.pause();
    return false;
}

bool SynthEngine::follow(Clock::time_point now, Pace pace, int asked) {
    if (!streaming_) return false;
    if (pace != Pace::First) clock_.request(now, renderer_.position() + asked);
    scheduleIncoming(now);
    return true;
}

// An event stamped at t is heard at t + kLatency: its frame is the one requested delay_
// before that. Events further ahead wait for a later request, in their order, and so do
// those sent ahead of their time, until it comes.
void SynthEngine::scheduleIncoming(Clock::time_point now) {
    if (!clock_.isAnchored()) return;  // held until the device plays
    keepWaiting([&](const Timed& timed) {
        if (timed.at > now) return true;
        const auto frame = clock_.frameFor(timed.at + kLatency - delay_, renderer_.position());
        if (!frame) return true;
        if (!isStale(timed.event, *frame)) renderer_.schedule(*frame, timed.event);
        return false;
    });
}

bool SynthEngine::isStale(const SynthEvent& event, qint64 frame) const {
    const qint64 staleFrames =
        std::chrono::duration_cast<std::chrono::microseconds>(kStale).count() * renderer_.rate() /
        1000000;
    return event.isNoteOn() && frame < renderer_.position() - staleFrames;
}

}  // namespace midi::detail
