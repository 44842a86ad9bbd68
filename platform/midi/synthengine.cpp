#include "synthengine.h"

#include <fluidsynth.h>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace midi::detail {

namespace {

using namespace std::chrono;

// When the frames being rendered stand for a time this far in the past, the stream has
// stalled (an underrun, a suspended server): the clock is re-anchored instead of playing
// every later event late.
constexpr auto kStall = milliseconds(10);

double seconds(SynthEngine::Clock::duration d) {
    return duration<double>(d).count();
}

}  // namespace

// Made on the heap and never destroyed: devices closed while the program ends still reach
// it, and its audio thread may still ask for a period while the process goes.
SynthEngine& SynthEngine::instance() {
    static SynthEngine* engine = new SynthEngine;
    return *engine;
}

Result SynthEngine::start(QString* error) {
    std::lock_guard lock(mutex_);
    if (fontLoads_ > 0) return kNoError;
    const Result result = renderer_.create(error);
    if (result != kNoError) return result;  // tried again on the next open
    ++fontLoads_;
    streaming_ = !renderer_.engine().startAudio(&SynthEngine::renderPeriod, this).isEmpty();
    std::atexit([] { instance().mute(); });
    return kNoError;
}

void SynthEngine::mute() {
    std::lock_guard lock(mutex_);
    streaming_ = false;
}

void SynthEngine::send(Clock::time_point at, const SynthEvent& event) {
    std::lock_guard lock(mutex_);
    if (streaming_)
        incoming_.push_back({at, event});
    else
        renderer_.apply(event);
}

int SynthEngine::soundingVoices() const {
    fluid_synth_t* synth = renderer_.engine().synth();
    if (!synth) return 0;
    std::vector<fluid_voice_t*> voices(size_t(fluid_synth_get_polyphony(synth)) + 1, nullptr);
    fluid_synth_get_voicelist(synth, voices.data(), int(voices.size()), -1);
    return int(std::count_if(voices.begin(), voices.end(), [](fluid_voice_t* voice) {
        return voice && fluid_voice_is_on(voice);
    }));
}

QString SynthEngine::audioDriver() const {
    return renderer_.engine().audioDriver();
}

int SynthEngine::renderPeriod(void* data, int frames, int, float*[], int outputCount,
                              float* outputs[]) {
    if (outputCount < 2) return FLUID_FAILED;
    static_cast<SynthEngine*>(data)->render(outputs[0], outputs[1], frames);
    return FLUID_OK;
}

void SynthEngine::render(float* left, float* right, int frames) {
    const Clock::time_point now = Clock::now();
    std::lock_guard lock(mutex_);
    if (!streaming_) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
        return;
    }
    followClock(now);
    for (const Timed& timed : incoming_) renderer_.schedule(frameAt(timed.at), timed.event);
    incoming_.clear();
    renderer_.renderPlanar(left, right, frames);
}

// Frame n is rendered for the time origin + n / rate. The stream asks for frames ahead of
// that time by the buffer it keeps; kLatency covers that buffer.
void SynthEngine::followClock(Clock::time_point now) {
    const auto position = duration_cast<Clock::duration>(
        duration<double>(double(renderer_.position()) / TimedRenderer::kEngineRate));
    if (!anchored_ || now - (origin_ + position) > kStall) origin_ = now - position;
    anchored_ = true;
}

qint64 SynthEngine::frameAt(Clock::time_point at) const {
    return qint64(std::llround(seconds(at + kLatency - origin_) * TimedRenderer::kEngineRate));
}

}  // namespace midi::detail
