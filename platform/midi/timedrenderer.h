#pragma once

#include "controllog.h"
#include "enginephase.h"
#include "presetselection.h"
#include "runningstatus.h"
#include "synthevent.h"

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace midi::detail {

// Renders the synthesizer at the output's rate with every event applied at its own frame.
// FluidSynth starts notes only where one of its 64-frame blocks starts, so the dry sound is
// the sum of up to kPhases engines sharing one sound font. Events are handed to the engines
// shortly before their frame: a note goes to an engine with nothing sounding, whose blocks
// are moved to start on it, or else to the engine whose block starts nearest to it.
// Engines made ahead start their blocks 4 frames apart, so that a note is heard within 2
// frames of its time (0.05 ms at 44.1 kHz) even when all of them sound. Every other event goes to
// all engines; a note-on is echoed silently on those that sound, so that it ends the same note and
// its exclusive class there as it would in one engine. Reverb and chorus come from one more engine
// that plays every event at its own nearest block and gives only its effects: one reverb, not one
// per engine.
class TimedRenderer {
public:
    static constexpr int kDefaultRate = 48000;
    static constexpr int kBlockFrames = EnginePhase::kBlockFrames;
    static constexpr int kPhases = 16;
    // Ahead: all dry engines are made by create(), so that rendering never waits for one
    // (live output). OnDemand: an engine is made when a note finds all others sounding
    // (files, where memory and start matter and a wait is not heard).
    enum class Engines { Ahead, OnDemand };

    explicit TimedRenderer(int rate = kDefaultRate, Engines engines = Engines::Ahead)
        : engines_(engines), rate_(rate) {
        makeEngines();
    }
    ~TimedRenderer();
    TimedRenderer(const TimedRenderer&) = delete;
    TimedRenderer& operator=(const TimedRenderer&) = delete;

    // Before create(): the rate the output is rendered at.
    void setRate(int rate) { rate_ = rate; }
    // Before create(): the presets the events can select; the sound font is loaded with
    // those alone.
    void setPresets(const PresetSelection& presets) { presets_ = presets; }
    int rate() const { return rate_; }
    // Nothing may be rendered unless this succeeded.
    Result create(QString* error = nullptr);
    // The engine that loads the sound font and has the audio driver where FluidSynth's own
    // is used.
    FluidSynthEngine& engine() { return effects_->engine(); }
    const FluidSynthEngine& engine() const { return effects_->engine(); }

    // The frame of a time in seconds from the first frame; 0 for what is not a finite time
    // from 0 on.
    qint64 frameOf(double seconds) const;
    // frame counts frames from the first one rendered; an event whose frame has passed is
    // applied at the next block start. Events of one frame are applied in the order given.
    void schedule(qint64 frame, const SynthEvent& event);
    // Applies an event at once, whatever is scheduled.
    void apply(const SynthEvent& event);
    bool hasScheduled() const;
    bool hasScheduledNoteOn() const;
    // Dry engines made so far.
    int engineCount() const { return int(phases_.size()); }
    // Voices started and neither released nor silenced, on all engines.
    int soundingVoices() const;
    // Frames rendered so far.
    qint64 position() const { return position_; }

    // The next frames, as separate channels or interleaved stereo.
    void renderPlanar(float* left, float* right, int frames);
    void renderInterleaved(float* stereo, int frames);
    void renderS16(std::int16_t* stereo, int frames);

private:
    void makeEngines();
    // A dry engine with blocks starting at offset, told the channels' state.
    Result addEngine(qint64 offset);
    // Resolves running status, in the order the events come; nothing for a message
    // without a status.
    std::optional<SynthEvent> unpacked(const SynthEvent& event);
    // Keeps what sets the channels for the engines made on demand.
    void remember(const SynthEvent& event);
    // Hands the events due before frame to the engines.
    void routeUntil(qint64 frame);
    // Hands an event to the engines it is for: deliver(engine, event).
    template <typename Deliver>
    void route(qint64 frame, const SynthEvent& event, Deliver deliver);
    EnginePhase& engineAt(int index);
    // The dry engine to play a note at frame.
    int engineFor(qint64 frame);
    // The dry engine whose block starts nearest to frame.
    int nearestPhase(qint64 frame) const;

    ExclusiveKeys exclusiveKeys_;           // outlives the engines
    std::unique_ptr<EnginePhase> effects_;  // declared first: it goes last
    std::vector<std::unique_ptr<EnginePhase>> phases_;
    std::multimap<qint64, SynthEvent> pending_;  // not yet handed to the engines
    Engines engines_;
    RunningStatus running_;
    ControlLog controls_;  // what an engine made on demand is told first
    // The engine that played the last note-on of each channel and key: its note-off goes
    // there.
    std::array<std::array<std::uint8_t, 128>, 16> noteEngine_{};
    int rate_;
    PresetSelection presets_;
    std::vector<float> planar_;  // frames on their way to interleaved output
    std::vector<float> stereo_;  // frames on their way to 16 bits
    qint64 position_ = 0;
};

}  // namespace midi::detail
