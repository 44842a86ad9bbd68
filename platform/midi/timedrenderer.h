#pragma once

#include "fluidsynthengine.h"
#include "synthevent.h"

#include <QtGlobal>
#include <cstdint>
#include <map>
#include <vector>

typedef struct soxr* soxr_t;

namespace midi::detail {

// Renders a FluidSynth engine with every event applied at its own frame. FluidSynth starts
// notes only at the start of its 64-frame blocks, so the engine runs at 96 kHz, where a
// block lasts 0.67 ms, and each event is applied at the block boundary nearest to its
// frame: it is heard within a third of a millisecond of its time. Output at another rate
// goes through a resampler.
class TimedRenderer {
public:
    static constexpr int kEngineRate = 96000;
    static constexpr int kBlockFrames = 64;

    explicit TimedRenderer(int outputRate = kEngineRate);
    ~TimedRenderer();
    TimedRenderer(const TimedRenderer&) = delete;
    TimedRenderer& operator=(const TimedRenderer&) = delete;

    // How the resampler filters: with linear phase it takes a varying number of engine
    // frames ahead of its output; with minimum phase a constant few hundred, so events
    // scheduled a little ahead of the output are never late.
    enum class Phase { Linear, Minimum };
    // Before create(): the rate the output is rendered at.
    void setOutputRate(int rate, Phase phase) {
        outputRate_ = rate;
        phase_ = phase;
    }
    // Nothing may be rendered unless this succeeded.
    Result create(QString* error = nullptr);
    FluidSynthEngine& engine() { return engine_; }
    const FluidSynthEngine& engine() const { return engine_; }

    // The engine frame of a time in seconds from the first frame; 0 for what is not a
    // finite time from 0 on.
    static qint64 frameOf(double seconds);
    // frame counts engine frames from the first one rendered; an event whose frame has
    // passed is applied before the next block.
    void schedule(qint64 frame, const SynthEvent& event);
    // Applies an event at once, whatever is scheduled.
    void apply(const SynthEvent& event);
    bool hasScheduled() const { return !scheduled_.empty(); }
    bool hasScheduledNoteOn() const;
    // Engine frames rendered so far.
    qint64 position() const { return position_; }

    // Output frames at the output rate, as separate channels or interleaved stereo.
    void renderPlanar(float* left, float* right, int frames);
    void renderInterleaved(float* stereo, int frames);
    void renderS16(std::int16_t* stereo, int frames);

private:
    // Engine frames straight into out (stride 1 for planar, 2 for interleaved), in as few
    // calls of the synthesizer as the events due between them allow: every call enters its
    // parallel region once, whatever the number of blocks.
    void renderEngine(float* left, float* right, int stride, int frames);
    // Engine frames from here to the block boundary at which the next event is due.
    qint64 framesToNextDue() const;
    void applyDue();

    FluidSynthEngine engine_;
    int outputRate_;
    Phase phase_ = Phase::Linear;
    soxr_t resampler_ = nullptr;
    std::vector<float> pending_;  // engine frames not yet taken by the resampler
    size_t pendingTaken_ = 0;
    std::vector<float> scratch_;  // output frames on their way to another format
    qint64 position_ = 0;
    std::multimap<qint64, SynthEvent> scheduled_;
};

}  // namespace midi::detail
