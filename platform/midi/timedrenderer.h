#pragma once

#include "enginephase.h"
#include "runningstatus.h"
#include "synthevent.h"

#include <QtGlobal>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

typedef struct soxr* soxr_t;

namespace midi::detail {

// Renders the synthesizer with every event applied at its own frame. FluidSynth starts
// notes only where one of its 64-frame blocks starts, so the dry sound is the sum of
// kPhases engines at 96 kHz sharing one sound font, whose blocks start 8 frames apart: each
// note goes to the engine with the block start nearest to it, and is heard within 4 frames
// (0.04 ms) of its time. Every other event goes to all engines; a note-on is echoed
// silently on the others, so that it ends the same note and its exclusive class there as
// it would in one engine. Reverb and chorus come from one more engine that plays every
// event at its own nearest block and gives only its effects: one reverb, not one per
// engine. Output at another rate goes through a resampler.
class TimedRenderer {
public:
    static constexpr int kEngineRate = 96000;
    static constexpr int kBlockFrames = EnginePhase::kBlockFrames;
    static constexpr int kPhases = 8;

    explicit TimedRenderer(int outputRate = kEngineRate);
    ~TimedRenderer();
    TimedRenderer(const TimedRenderer&) = delete;
    TimedRenderer& operator=(const TimedRenderer&) = delete;

    // How the resampler filters: with linear phase it takes a varying number of engine
    // frames ahead of its output; with minimum phase a constant few hundred, so events
    // scheduled a little ahead of the output are never late (for live streams: the engines
    // then render in small pieces too).
    enum class Phase { Linear, Minimum };
    // Before create(): the rate the output is rendered at.
    void setOutputRate(int rate, Phase phase) {
        outputRate_ = rate;
        phase_ = phase;
    }
    // Nothing may be rendered unless this succeeded.
    Result create(QString* error = nullptr);
    // The engine that loads the sound font and has the audio driver where FluidSynth's own
    // is used.
    FluidSynthEngine& engine() { return effects_->engine(); }
    const FluidSynthEngine& engine() const { return effects_->engine(); }

    // The engine frame of a time in seconds from the first frame; 0 for what is not a
    // finite time from 0 on.
    static qint64 frameOf(double seconds);
    // frame counts engine frames from the first one rendered; an event whose frame has
    // passed is applied before the next block.
    void schedule(qint64 frame, const SynthEvent& event);
    // Applies an event at once, whatever is scheduled.
    void apply(const SynthEvent& event);
    bool hasScheduled() const;
    bool hasScheduledNoteOn() const;
    // Voices started and neither released nor silenced, on all engines.
    int soundingVoices() const;
    // Engine frames rendered so far.
    qint64 position() const { return position_; }

    // Output frames at the output rate, as separate channels or interleaved stereo.
    void renderPlanar(float* left, float* right, int frames);
    void renderInterleaved(float* stereo, int frames);
    void renderS16(std::int16_t* stereo, int frames);

private:
    void makeEngines();
    // Engine frames, added up from all engines.
    void renderEngine(float* left, float* right, int frames);
    // Hands an event to the engines it is for: deliver(engine, event).
    template <typename Deliver>
    void route(qint64 frame, const SynthEvent& event, Deliver deliver);
    EnginePhase& engineAt(int index);
    // The dry engine whose block starts nearest to frame.
    int nearestPhase(qint64 frame) const;

    std::unique_ptr<EnginePhase> effects_;  // declared first: it goes last
    std::array<std::unique_ptr<EnginePhase>, kPhases> phases_;
    RunningStatus running_;
    // The engine that played the last note-on of each channel and key: its note-off goes
    // there.
    std::array<std::array<std::uint8_t, 128>, 16> noteEngine_{};
    int outputRate_;
    Phase phase_ = Phase::Linear;
    soxr_t resampler_ = nullptr;
    std::vector<float> pending_;  // engine frames not yet taken by the resampler, planar
    size_t pendingTaken_ = 0;
    std::vector<float> scratch_;  // output frames on their way to another format
    std::vector<float> planar_;   // engine frames on their way to interleaved output
    qint64 position_ = 0;
};

}  // namespace midi::detail
