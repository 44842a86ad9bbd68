#include "timedrenderer.h"

#include <fluidsynth.h>
#include <soxr.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace midi::detail {

namespace {

// Engine frames handed to the resampler at a time.
constexpr int kPendingFrames = 2048;

}  // namespace

TimedRenderer::TimedRenderer(int outputRate) : outputRate_(outputRate) {}

TimedRenderer::~TimedRenderer() {
    if (resampler_) soxr_delete(resampler_);
}

Result TimedRenderer::create(QString* error) {
    const Result result = engine_.create(kEngineRate, error);
    if (result != kNoError || outputRate_ == kEngineRate) return result;
    const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
    const soxr_quality_spec_t quality =
        soxr_quality_spec(SOXR_HQ, phase_ == Phase::Minimum ? SOXR_MINIMUM_PHASE : 0);
    soxr_error_t failed = nullptr;
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

void TimedRenderer::schedule(qint64 frame, const SynthEvent& event) {
    scheduled_.emplace(frame, event);
}

void TimedRenderer::apply(const SynthEvent& event) {
    switch (event.kind) {
        case SynthEvent::Kind::Short:
            engine_.shortMessage(event.message);
            break;
        case SynthEvent::Kind::Long:
            engine_.longMessage(event.sysex);
            break;
        case SynthEvent::Kind::Silence:
            engine_.silence();
            break;
    }
}

bool TimedRenderer::hasScheduledNoteOn() const {
    return std::any_of(scheduled_.begin(), scheduled_.end(),
                       [](const auto& entry) { return entry.second.isNoteOn(); });
}

// Called at a block boundary: every event nearer to this boundary than to the next one.
void TimedRenderer::applyDue() {
    const qint64 limit = position_ + kBlockFrames / 2;
    while (!scheduled_.empty() && scheduled_.begin()->first < limit) {
        apply(scheduled_.begin()->second);
        scheduled_.erase(scheduled_.begin());
    }
}

// An event at frame f is due at the first boundary b with f < b + kBlockFrames / 2.
qint64 TimedRenderer::framesToNextDue() const {
    if (scheduled_.empty()) return std::numeric_limits<qint64>::max();
    const qint64 nextBoundary = (position_ / kBlockFrames + 1) * kBlockFrames;
    const qint64 earliest = scheduled_.begin()->first - kBlockFrames / 2 + 1;
    const qint64 due = earliest <= nextBoundary
                           ? nextBoundary
                           : (earliest + kBlockFrames - 1) / kBlockFrames * kBlockFrames;
    return due - position_;
}

void TimedRenderer::renderEngine(float* left, float* right, int stride, int frames) {
    int done = 0;
    while (done < frames) {
        if (position_ % kBlockFrames == 0) applyDue();
        const int count = int(std::min<qint64>(frames - done, framesToNextDue()));
        fluid_synth_write_float(engine_.synth(), count, left, done * stride, stride, right,
                                done * stride, stride);
        done += count;
        position_ += count;
    }
}

void TimedRenderer::renderPlanar(float* left, float* right, int frames) {
    if (!resampler_) return renderEngine(left, right, 1, frames);
    scratch_.resize(size_t(frames) * 2);
    renderInterleaved(scratch_.data(), frames);
    for (int i = 0; i < frames; ++i) {
        left[i] = scratch_[size_t(i) * 2];
        right[i] = scratch_[size_t(i) * 2 + 1];
    }
}

void TimedRenderer::renderInterleaved(float* stereo, int frames) {
    if (!resampler_) return renderEngine(stereo, stereo + 1, 2, frames);
    size_t produced = 0;
    while (produced < size_t(frames)) {
        if (pendingTaken_ * 2 >= pending_.size()) {
            pending_.assign(kPendingFrames * 2, 0.0f);
            pendingTaken_ = 0;
            renderEngine(pending_.data(), pending_.data() + 1, 2, kPendingFrames);
        }
        size_t taken = 0, made = 0;
        soxr_process(resampler_, pending_.data() + pendingTaken_ * 2,
                     pending_.size() / 2 - pendingTaken_, &taken, stereo + produced * 2,
                     size_t(frames) - produced, &made);
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
