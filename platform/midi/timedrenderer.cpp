#include "timedrenderer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>

namespace midi::detail {

namespace {

void interleave(const float* left, const float* right, float* stereo, int frames) {
    for (int i = 0; i < frames; ++i) {
        stereo[size_t(i) * 2] = left[i];
        stereo[size_t(i) * 2 + 1] = right[i];
    }
}

}  // namespace

// Events are handed to the engines this many frames ahead of their frame at least: a note
// can go to a block up to half a block before it.
constexpr qint64 kRouteAhead = 2 * TimedRenderer::kBlockFrames;

// Made afresh for every start, those borrowing the sound font first.
void TimedRenderer::makeEngines() {
    phases_.clear();
    effects_ = std::make_unique<EnginePhase>(0, EnginePhase::Output::Effects, &exclusiveKeys_);
    exclusiveKeys_.forgetAll();
    controls_.clear();
    pending_.clear();
    for (auto& channel : noteEngine_) channel.fill(0);
}

TimedRenderer::~TimedRenderer() {
    phases_.clear();  // they borrow the effects engine's font
}

Result TimedRenderer::create(QString* error) {
    makeEngines();
    position_ = 0;
    Result result = effects_->engine().create(rate_, error, presets_);
    const int ahead = engines_ == Engines::Ahead ? kPhases : 1;
    for (int i = 0; result == kNoError && i < ahead; ++i)
        result = addEngine(i * kBlockFrames / kPhases);
    return result;
}

Result TimedRenderer::addEngine(qint64 offset) {
    auto phase = std::make_unique<EnginePhase>(int(offset % kBlockFrames), EnginePhase::Output::Dry,
                                               &exclusiveKeys_, position_);
    const Result result = phase->engine().createSharing(effects_->engine());
    if (result != kNoError) return result;
    for (const SynthEvent& event : controls_.events()) phase->apply(event);
    phases_.push_back(std::move(phase));
    return kNoError;
}

qint64 TimedRenderer::frameOf(double seconds) const {
    constexpr double kLongest = 1e12;  // frames; far beyond any render
    if (!(seconds > 0)) return 0;
    return qint64(std::llround(std::min(seconds * rate_, kLongest)));
}

std::optional<SynthEvent> TimedRenderer::unpacked(const SynthEvent& event) {
    if (event.kind == SynthEvent::Kind::Silence) running_.clear();
    if (event.kind != SynthEvent::Kind::Short) return event;
    const RunningStatus::Bytes bytes = running_.unpack(event.message);
    if (bytes.length == 0) return std::nullopt;
    return SynthEvent::shortMessage(bytes.data[0] | bytes.data[1] << 8 | bytes.data[2] << 16);
}

// A note-on goes to one dry engine and is echoed on the others that sound; its note-off
// goes where it went. The effects engine hears every event as one engine would.
template <typename Deliver>
void TimedRenderer::route(qint64 frame, const SynthEvent& event, Deliver deliver) {
    const auto toAll = [this, &deliver](const SynthEvent& e) {
        deliver(*effects_, e);
        for (const auto& phase : phases_) deliver(*phase, e);
    };
    if (event.kind == SynthEvent::Kind::Long) exclusiveKeys_.forgetAll();  // a reset
    if (event.kind != SynthEvent::Kind::Short) {
        remember(event);
        return toAll(event);
    }
    const std::uint32_t message = event.message;
    const int type = int(message & 0xF0);
    std::uint8_t& noteEngine = noteEngine_[message & 0x0F][message >> 8 & 0x7F];
    if (event.isNoteOn()) {
        noteEngine = std::uint8_t(engineFor(frame));
        for (size_t i = 0; i < phases_.size(); ++i) {
            if (i == noteEngine)
                deliver(*phases_[i], event);
            else if (!phases_[i]->isFree())  // an engine with no voice has nothing to end
                deliver(*phases_[i], SynthEvent::echo(message));
        }
        deliver(*effects_, event);
    } else if (type == 0x80 || type == 0x90) {
        if (noteEngine < phases_.size()) deliver(*phases_[noteEngine], event);
        deliver(*effects_, event);
    } else {
        const int controller = int(message >> 8 & 0x7F);
        if (type == 0xC0 || (type == 0xB0 && (controller == 0 || controller == 32)))
            exclusiveKeys_.forget(int(message & 0x0F));  // another preset
        remember(event);
        toAll(event);
    }
}

// Only engines made later need what the channels were told; those made ahead heard it.
void TimedRenderer::remember(const SynthEvent& event) {
    if (engines_ == Engines::OnDemand) controls_.add(event);
}

// An engine that was free and starts notes at frame; else a free one, moved to start a
// block on frame: its voices start as new ones do (see EnginePhase::clearUsedVoices), which
// those of a sounding engine may not. Else a new one, when engines are made on demand;
// else the one with the nearest block start.
int TimedRenderer::engineFor(qint64 frame) {
    int free = -1;
    for (size_t i = 0; i < phases_.size(); ++i) {
        if (!phases_[i]->startsOnlyAt(frame)) continue;
        if (phases_[i]->hasScheduledNoteOn()) return int(i);
        if (free < 0) free = int(i);
    }
    const qint64 at = std::max(frame, position_);
    if (free >= 0) {
        phases_[size_t(free)]->startBlocksAt(at);
        return free;
    }
    if (engines_ == Engines::OnDemand && phases_.size() < size_t(kPhases) &&
        addEngine(at) == kNoError)
        return int(phases_.size()) - 1;
    return nearestPhase(frame);
}

int TimedRenderer::nearestPhase(qint64 frame) const {
    int nearest = 0;
    qint64 shortest = std::numeric_limits<qint64>::max();
    for (size_t i = 0; i < phases_.size(); ++i) {
        const qint64 distance = std::llabs(phases_[i]->dueFrame(frame) - frame);
        if (distance < shortest) {
            shortest = distance;
            nearest = int(i);
        }
    }
    return nearest;
}

void TimedRenderer::schedule(qint64 frame, const SynthEvent& event) {
    if (const auto full = unpacked(event)) pending_.emplace(frame, *full);
}

void TimedRenderer::apply(const SynthEvent& event) {
    if (const auto full = unpacked(event))
        route(position_, *full, [](EnginePhase& phase, const SynthEvent& e) { phase.apply(e); });
}

void TimedRenderer::routeUntil(qint64 frame) {
    while (!pending_.empty() && pending_.begin()->first < frame) {
        const qint64 at = pending_.begin()->first;
        route(at, pending_.begin()->second,
              [at](EnginePhase& phase, const SynthEvent& e) { phase.schedule(at, e); });
        pending_.erase(pending_.begin());
    }
}

bool TimedRenderer::hasScheduled() const {
    return !pending_.empty() || effects_->hasScheduled();  // it has every event handed on
}

bool TimedRenderer::hasScheduledNoteOn() const {
    return effects_->hasScheduledNoteOn() ||
           std::any_of(pending_.begin(), pending_.end(),
                       [](const auto& entry) { return entry.second.isNoteOn(); });
}

// Every note sounds on one of the dry engines.
int TimedRenderer::soundingVoices() const {
    int voices = 0;
    for (const auto& phase : phases_) voices += phase->engine().soundingVoices();
    return voices;
}

// In pieces that end kRouteAhead frames before the next event not yet handed on, so that
// it finds the engines as they will be at its frame.
void TimedRenderer::renderPlanar(float* left, float* right, int frames) {
    std::fill_n(left, frames, 0.0f);
    std::fill_n(right, frames, 0.0f);
    for (int done = 0; done < frames;) {
        routeUntil(position_ + kRouteAhead);
        qint64 count = frames - done;
        if (!pending_.empty())
            count =
                std::clamp<qint64>(pending_.begin()->first - kRouteAhead / 2 - position_, 1, count);
        effects_->renderAdd(left + done, right + done, int(count));
        for (const auto& phase : phases_) phase->renderAdd(left + done, right + done, int(count));
        done += int(count);
        position_ += count;
    }
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
