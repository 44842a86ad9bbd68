#include "timedrenderer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace midi::detail {

namespace {

// Output rates below this are rendered at twice the rate.
constexpr int kLowestEngineRate = 88200;

}  // namespace

TimedRenderer::TimedRenderer(int outputRate)
    : outputRate_(outputRate),
      engineRate_(outputRate < kLowestEngineRate ? 2 * outputRate : outputRate),
      halving_(engineRate_ != outputRate_) {}

Result TimedRenderer::create(QString* error) {
    return engine_.create(engineRate_, error);
}

qint64 TimedRenderer::frameOf(double seconds, int engineRate) {
    constexpr double kLongest = 1e12;  // frames; far beyond any render
    if (!(seconds > 0)) return 0;
    return qint64(std::llround(std::min(seconds * engineRate, kLongest)));
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
    const qint64 nextBoundary = (position_ / kBlockFrames + 1) * kBlockFrames;
    if (scheduled_.empty()) return std::numeric_limits<qint64>::max();
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

void TimedRenderer::renderHalved(float* left, float* right, int stride, int frames) {
    if (!primed_) {
        primed_ = true;
        std::vector<float> dropped(HalfBandDecimator::kDelay);
        renderHalved(dropped.data(), dropped.data(), 1, HalfBandDecimator::kDelay);
    }
    engineLeft_.resize(size_t(frames) * 2);
    engineRight_.resize(size_t(frames) * 2);
    renderEngine(engineLeft_.data(), engineRight_.data(), 1, frames * 2);
    halveLeft_.process(engineLeft_.data(), frames * 2, left, stride);
    halveRight_.process(engineRight_.data(), frames * 2, right, stride);
}

void TimedRenderer::renderPlanar(float* left, float* right, int frames) {
    if (halving_) return renderHalved(left, right, 1, frames);
    renderEngine(left, right, 1, frames);
}

void TimedRenderer::renderInterleaved(float* stereo, int frames) {
    if (halving_) return renderHalved(stereo, stereo + 1, 2, frames);
    renderEngine(stereo, stereo + 1, 2, frames);
}

void TimedRenderer::renderS16(std::int16_t* stereo, int frames) {
    scratch_.resize(size_t(frames) * 2);
    renderInterleaved(scratch_.data(), frames);
    for (size_t i = 0; i < scratch_.size(); ++i)
        stereo[i] =
            std::int16_t(std::lrint(std::clamp(scratch_[i] * 32767.0f, -32768.0f, 32767.0f)));
}

}  // namespace midi::detail
