#include "enginephase.h"

#include "fluidlibrary.h"

#include <algorithm>
#include <cmath>

namespace midi::detail {

namespace {

// Below this (-120 dBFS) for kQuietFrames an engine without voices has died away.
constexpr float kQuiet = 1e-6f;
constexpr qint64 kQuietFrames = 4096;
// The gain voices are cleared at: far below hearing, and not 0, at which FluidSynth's
// noise floor estimate divides by zero.
constexpr float kClearingGain = 1e-6f;
constexpr int kMostVoices = 256;

qint64 floorDiv(qint64 value, qint64 divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

void addInto(float* out, const float* in, int frames) {
    for (int i = 0; i < frames; ++i) out[i] += in[i];
}

}  // namespace

qint64 EnginePhase::blockStartFrom(qint64 frame) const {
    return offset_ + floorDiv(frame - offset_ + kBlockFrames - 1, kBlockFrames) * kBlockFrames;
}

// The block start b with frame - 32 < b <= frame + 32, unless that has passed.
qint64 EnginePhase::dueFrame(qint64 frame) const {
    const qint64 nearest =
        offset_ + floorDiv(frame - offset_ + kBlockFrames / 2, kBlockFrames) * kBlockFrames;
    return std::max(nearest, blockStartFrom(position_));
}

void EnginePhase::startBlocksAt(qint64 frame) {
    offset_ = int(frame - floorDiv(frame, kBlockFrames) * kBlockFrames);
}

bool EnginePhase::startsOnlyAt(qint64 frame) const {
    return asleep_ && (noteOnFrames_.empty() ||
                       (*noteOnFrames_.begin() == frame && *noteOnFrames_.rbegin() == frame));
}

void EnginePhase::schedule(qint64 frame, const SynthEvent& event) {
    scheduled_.emplace(frame, event);
    if (event.isNoteOn()) noteOnFrames_.insert(frame);
}

void EnginePhase::apply(const SynthEvent& event) {
    if (asleep_) wake();
    switch (event.kind) {
        case SynthEvent::Kind::Short:
            engine_.shortMessage(event.message);
            if (!event.isNoteOn()) break;
            lastNoteOn_ = event.message;
            if (output_ == Output::Effects)  // it hears every note
                keys_->learn(event.message & 0x0F, event.message >> 8 & 0x7F,
                             engine_.lastNoteIsExclusive());
            break;
        case SynthEvent::Kind::Long:
            engine_.longMessage(event.sysex);
            break;
        case SynthEvent::Kind::Silence:
            engine_.silence();
            break;
        case SynthEvent::Kind::Echo:
            engine_.echoNoteOn(event.message & 0x0F, event.message >> 8 & 0x7F,
                               event.message >> 16 & 0x7F,
                               keys_->of(event.message & 0x0F, event.message >> 8 & 0x7F) !=
                                   ExclusiveKeys::Known::No);
            break;
    }
    voicesUsed_ = std::max(voicesUsed_, engine_.activeVoices());
}

int EnginePhase::framesUntilDue(int most) const {
    if (scheduled_.empty()) return most;
    return int(std::min<qint64>(most, dueFrame(scheduled_.begin()->first) - position_));
}

void EnginePhase::applyDue() {
    while (!scheduled_.empty() && dueFrame(scheduled_.begin()->first) <= position_) {
        const auto next = scheduled_.begin();
        apply(next->second);
        if (next->second.isNoteOn()) noteOnFrames_.erase(noteOnFrames_.find(next->first));
        scheduled_.erase(next);
    }
}

void EnginePhase::wake() {
    asleep_ = false;
    quietFrames_ = 0;
    align();
}

void EnginePhase::align() {
    const qint64 behind = position_ - offset_ - engineFrames_;
    discard(int(behind - floorDiv(behind, kBlockFrames) * kBlockFrames));
}

void EnginePhase::discard(int frames) {
    if (frames <= 0) return;
    float left[kBlockFrames] = {}, right[kBlockFrames] = {};
    float* out[2] = {left, right};
    for (int done = 0; done < frames; done += kBlockFrames)
        fluid_synth_process(engine_.synth(), std::min(kBlockFrames, frames - done), 0, nullptr, 2,
                            out);
    engineFrames_ += frames;
}

// FluidSynth fades a voice's panning in over the voice's first block from where the voice
// last left it: from silence for a voice never used, from another note's panning for one
// used before. A note's attack would then depend on what its voice played last (up to 20
// frames of difference in where it passes -30 dBFS). Notes at almost no gain, through one
// block no one hears, leave the voices used at silence again, as a new engine's are.
void EnginePhase::clearUsedVoices() {
    fluid_synth_t* synth = engine_.synth();
    const int channel = int(lastNoteOn_ & 0x0F), key = int(lastNoteOn_ >> 8 & 0x7F);
    const float gain = fluid_synth_get_gain(synth);
    fluid_synth_set_gain(synth, kClearingGain);
    // A note makes one voice or more; one that cuts its own class still holds its voice
    // through the block.
    for (int i = 0; i < std::min(voicesUsed_, kMostVoices); ++i)
        fluid_synth_noteon(synth, channel, key, 127);
    discard(kBlockFrames);
    fluid_synth_noteoff(synth, channel, key);
    fluid_synth_all_sounds_off(synth, -1);
    discard(kBlockFrames);  // FluidSynth frees the voices as it renders
    fluid_synth_set_gain(synth, gain);
    voicesUsed_ = 0;
}

void EnginePhase::renderAdd(float* left, float* right, int frames) {
    int done = 0;
    while (done < frames) {
        if (asleep_) {
            const int skipped = framesUntilDue(frames - done);
            position_ += skipped;
            done += skipped;
            if (done == frames) return;
            wake();
        }
        applyDue();
        if (output_ == Output::Dry && engine_.activeVoices() == 0) {
            if (voicesUsed_ > 0) clearUsedVoices();
            asleep_ = true;  // silent without voices: skipped until the next event
            continue;
        }
        const int count = framesUntilDue(frames - done);
        render(left + done, right + done, count);
        done += count;
        position_ += count;
    }
}

void EnginePhase::process(float* left, float* right, int frames) {
    float* effects[4] = {left, right, left, right};  // reverb and chorus
    float* dry[2] = {left, right};
    float* none[2] = {nullptr, nullptr};
    if (output_ == Output::Dry)
        fluid_synth_process(engine_.synth(), frames, 0, nullptr, 2, dry);
    else
        fluid_synth_process(engine_.synth(), frames, 4, effects, 2, none);
    engineFrames_ += frames;
}

void EnginePhase::render(float* left, float* right, int frames) {
    if (engine_.activeVoices() == 0) return renderTail(left, right, frames);
    quietFrames_ = 0;
    process(left, right, frames);
}

void EnginePhase::renderTail(float* left, float* right, int frames) {
    tail_.assign(size_t(frames) * 2, 0.0f);
    float* tailLeft = tail_.data();
    float* tailRight = tailLeft + frames;
    process(tailLeft, tailRight, frames);
    addInto(left, tailLeft, frames);
    addInto(right, tailRight, frames);
    const bool heard = std::any_of(tail_.begin(), tail_.end(),
                                   [](float sample) { return std::fabs(sample) > kQuiet; });
    quietFrames_ = heard ? 0 : quietFrames_ + frames;
    if (quietFrames_ >= kQuietFrames) asleep_ = true;
}

}  // namespace midi::detail
