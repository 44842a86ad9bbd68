#include "timedrenderer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace midi::detail {

namespace {

void interleave(const float* left, const float* right, float* stereo, int frames) {
    for (int i = 0; i < frames; ++i) {
        stereo[size_t(i) * 2] = left[i];
        stereo[size_t(i) * 2 + 1] = right[i];
    }
}

}  // namespace

// Made afresh for every start, those borrowing the sound font first.
void TimedRenderer::makeEngines() {
    for (int i = kPhases - 1; i >= 0; --i)
        phases_[size_t(i)] = std::make_unique<EnginePhase>(
            i * kBlockFrames / kPhases, EnginePhase::Output::Dry, &exclusiveKeys_);
    effects_ = std::make_unique<EnginePhase>(0, EnginePhase::Output::Effects, &exclusiveKeys_);
    exclusiveKeys_.forgetAll();
}

TimedRenderer::~TimedRenderer() {
    for (auto& phase : phases_) phase.reset();  // they borrow the effects engine's font
}

Result TimedRenderer::create(QString* error) {
    makeEngines();
    position_ = 0;
    Result result = effects_->engine().create(rate_, error);
    for (size_t i = 0; result == kNoError && i < phases_.size(); ++i)
        result = phases_[i]->engine().createSharing(effects_->engine());
    return result;
}

qint64 TimedRenderer::frameOf(double seconds) const {
    constexpr double kLongest = 1e12;  // frames; far beyond any render
    if (!(seconds > 0)) return 0;
    return qint64(std::llround(std::min(seconds * rate_, kLongest)));
}

// Engines 0 to kPhases - 1 are the dry ones; kPhases is the effects engine, which hears
// every event as one engine would.
template <typename Deliver>
void TimedRenderer::route(qint64 frame, const SynthEvent& event, Deliver deliver) {
    if (event.kind != SynthEvent::Kind::Short) {
        if (event.kind == SynthEvent::Kind::Silence) running_.clear();
        if (event.kind == SynthEvent::Kind::Long) exclusiveKeys_.forgetAll();  // a reset
        for (int i = 0; i <= kPhases; ++i) deliver(i, event);
        return;
    }
    const RunningStatus::Bytes bytes = running_.unpack(event.message);
    if (bytes.length == 0) return;
    const std::uint32_t message = bytes.data[0] | bytes.data[1] << 8 | bytes.data[2] << 16;
    const SynthEvent full = SynthEvent::shortMessage(message);
    std::uint8_t& noteEngine = noteEngine_[bytes.status() & 0x0F][bytes.data[1] & 0x7F];
    const int type = bytes.status() & 0xF0;
    if (full.isNoteOn()) {
        noteEngine = std::uint8_t(nearestPhase(frame));
        for (int i = 0; i < kPhases; ++i)
            deliver(i, i == noteEngine ? full : SynthEvent::echo(message));
        deliver(kPhases, full);
    } else if (type == 0x80 || type == 0x90) {
        deliver(noteEngine, full);
        deliver(kPhases, full);
    } else {
        const bool presetChange =
            type == 0xC0 || (type == 0xB0 && (bytes.data[1] == 0 || bytes.data[1] == 32));
        if (presetChange) exclusiveKeys_.forget(bytes.status() & 0x0F);
        for (int i = 0; i <= kPhases; ++i) deliver(i, full);
    }
}

int TimedRenderer::nearestPhase(qint64 frame) const {
    int nearest = 0;
    qint64 shortest = std::numeric_limits<qint64>::max();
    for (int i = 0; i < kPhases; ++i) {
        const qint64 distance = std::llabs(phases_[size_t(i)]->dueFrame(frame) - frame);
        if (distance < shortest) {
            shortest = distance;
            nearest = i;
        }
    }
    return nearest;
}

EnginePhase& TimedRenderer::engineAt(int index) {
    return index < kPhases ? *phases_[size_t(index)] : *effects_;
}

void TimedRenderer::schedule(qint64 frame, const SynthEvent& event) {
    route(frame, event,
          [this, frame](int i, const SynthEvent& e) { engineAt(i).schedule(frame, e); });
}

void TimedRenderer::apply(const SynthEvent& event) {
    route(position_, event, [this](int i, const SynthEvent& e) { engineAt(i).apply(e); });
}

bool TimedRenderer::hasScheduled() const {
    return effects_->hasScheduled();  // it has every event
}

bool TimedRenderer::hasScheduledNoteOn() const {
    return effects_->hasScheduledNoteOn();
}

// Every note sounds on one of the dry engines.
int TimedRenderer::soundingVoices() const {
    int voices = 0;
    for (const auto& phase : phases_) voices += phase->engine().soundingVoices();
    return voices;
}

void TimedRenderer::renderPlanar(float* left, float* right, int frames) {
    std::fill_n(left, frames, 0.0f);
    std::fill_n(right, frames, 0.0f);
    effects_->renderAdd(left, right, frames);
    for (const auto& phase : phases_) phase->renderAdd(left, right, frames);
    position_ += frames;
}

void TimedRenderer::renderInterleaved(float* stereo, int frames) {
    planar_.resize(size_t(frames) * 2);
    renderPlanar(planar_.data(), planar_.data() + frames, frames);
    interleave(planar_.data(), planar_.data() + frames, stereo, frames);
}

void TimedRenderer::renderS16(std::int16_t* stereo, int frames) {
    stereo_.resize(size_t(frames) * 2);
    renderInterleaved(stereo_.data(), frames);
    for (size_t i = 0; i < stereo_.size(); ++i) {  // rounded half away from zero
        const float level = std::clamp(stereo_[i] * 32767.0f, -32768.0f, 32767.0f);
        stereo[i] = std::int16_t(level + (level < 0 ? -0.5f : 0.5f));
    }
}

}  // namespace midi::detail
