#include "timedrenderer.h"

#include <soxr.h>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace midi::detail {

namespace {

// Engine frames handed to the resampler at a time. For a live stream few, since an event
// due within frames already rendered comes late and events reach it only a little ahead;
// an offline render has every event beforehand and renders many blocks per call.
constexpr int kLivePendingFrames = 256;
constexpr int kOfflinePendingFrames = 4096;

void interleave(const float* left, const float* right, float* stereo, int frames) {
    for (int i = 0; i < frames; ++i) {
        stereo[size_t(i) * 2] = left[i];
        stereo[size_t(i) * 2 + 1] = right[i];
    }
}

}  // namespace

TimedRenderer::TimedRenderer(int outputRate) : outputRate_(outputRate) {
    makeEngines();
}

// Made afresh for every start, those borrowing the sound font first.
void TimedRenderer::makeEngines() {
    for (int i = kPhases - 1; i >= 0; --i)
        phases_[size_t(i)] =
            std::make_unique<EnginePhase>(i * kBlockFrames / kPhases, EnginePhase::Output::Dry);
    effects_ = std::make_unique<EnginePhase>(0, EnginePhase::Output::Effects);
}

TimedRenderer::~TimedRenderer() {
    if (resampler_) soxr_delete(resampler_);
    for (auto& phase : phases_) phase.reset();  // they borrow the effects engine's font
}

Result TimedRenderer::create(QString* error) {
    makeEngines();
    Result result = effects_->engine().create(kEngineRate, error);
    for (size_t i = 0; result == kNoError && i < phases_.size(); ++i)
        result = phases_[i]->engine().createSharing(effects_->engine());
    if (result != kNoError || outputRate_ == kEngineRate) return result;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_S, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality =
        soxr_quality_spec(SOXR_HQ, phase_ == Phase::Minimum ? SOXR_MINIMUM_PHASE : 0);
    soxr_error_t failed = nullptr;
    if (resampler_) soxr_delete(resampler_);
    resampler_ = soxr_create(kEngineRate, outputRate_, 2, &failed, &io, &quality, nullptr);
    if (!failed) return kNoError;
    if (error) *error = QString::fromLatin1(failed);
    return kNoMemory;
}

qint64 TimedRenderer::frameOf(double seconds) {
    constexpr double kLongest = 1e12;  // frames; far beyond any render
    if (!(seconds > 0)) return 0;
    return qint64(std::llround(std::min(seconds * kEngineRate, kLongest)));
}

// Engines 0 to kPhases - 1 are the dry ones; kPhases is the effects engine, which hears
// every event as one engine would.
template <typename Deliver>
void TimedRenderer::route(qint64 frame, const SynthEvent& event, Deliver deliver) {
    if (event.kind != SynthEvent::Kind::Short) {
        if (event.kind == SynthEvent::Kind::Silence) running_.clear();
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

int TimedRenderer::soundingVoices() const {
    return effects_->engine().soundingVoices();  // it plays every note as one engine
}

void TimedRenderer::renderEngine(float* left, float* right, int frames) {
    std::fill_n(left, frames, 0.0f);
    std::fill_n(right, frames, 0.0f);
    effects_->renderAdd(left, right, frames);
    for (const auto& phase : phases_) phase->renderAdd(left, right, frames);
    position_ += frames;
}

void TimedRenderer::renderPlanar(float* left, float* right, int frames) {
    if (!resampler_) return renderEngine(left, right, frames);
    scratch_.resize(size_t(frames) * 2);
    renderInterleaved(scratch_.data(), frames);
    for (int i = 0; i < frames; ++i) {
        left[i] = scratch_[size_t(i) * 2];
        right[i] = scratch_[size_t(i) * 2 + 1];
    }
}

void TimedRenderer::renderInterleaved(float* stereo, int frames) {
    if (!resampler_) {
        planar_.resize(size_t(frames) * 2);
        renderEngine(planar_.data(), planar_.data() + frames, frames);
        return interleave(planar_.data(), planar_.data() + frames, stereo, frames);
    }
    size_t produced = 0;
    while (produced < size_t(frames)) {
        const int pendingFrames =
            phase_ == Phase::Minimum ? kLivePendingFrames : kOfflinePendingFrames;
        if (pendingTaken_ >= size_t(pendingFrames) || pending_.empty()) {
            pending_.resize(size_t(pendingFrames) * 2);
            pendingTaken_ = 0;
            renderEngine(pending_.data(), pending_.data() + pendingFrames, pendingFrames);
        }
        const float* channels[2] = {pending_.data() + pendingTaken_,
                                    pending_.data() + pendingFrames + pendingTaken_};
        size_t taken = 0, made = 0;
        soxr_process(resampler_, channels, size_t(pendingFrames) - pendingTaken_, &taken,
                     stereo + produced * 2, size_t(frames) - produced, &made);
        pendingTaken_ += taken;
        produced += made;
    }
}

void TimedRenderer::renderS16(std::int16_t* stereo, int frames) {
    scratch_.resize(size_t(frames) * 2);
    renderInterleaved(scratch_.data(), frames);
    for (size_t i = 0; i < scratch_.size(); ++i) {  // rounded half away from zero
        const float level = std::clamp(scratch_[i] * 32767.0f, -32768.0f, 32767.0f);
        stereo[i] = std::int16_t(level + (level < 0 ? -0.5f : 0.5f));
    }
}

}  // namespace midi::detail
