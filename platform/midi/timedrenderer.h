#pragma once

#include "fluidsynthengine.h"
#include "halfbanddecimator.h"
#include "synthevent.h"

#include <QtGlobal>
#include <cstdint>
#include <map>
#include <vector>

namespace midi::detail {

// Renders a FluidSynth engine with every event applied at its own frame. FluidSynth starts
// notes only at the start of its 64-frame blocks, so each event is applied at the block
// boundary nearest to its frame. An output rate below 88.2 kHz is rendered at twice the
// rate and halved by a half-band filter whose delay is taken out (output frame n is engine
// frame 2n): from 44.1 kHz on, a block lasts at most 0.73 ms and an event is heard within
// 0.37 ms of its time.
class TimedRenderer {
public:
    static constexpr int kEngineRate = 96000;
    static constexpr int kBlockFrames = 64;

    explicit TimedRenderer(int outputRate = kEngineRate);

    // Nothing may be rendered unless this succeeded.
    Result create(QString* error = nullptr);
    FluidSynthEngine& engine() { return engine_; }
    const FluidSynthEngine& engine() const { return engine_; }
    // The rate the engine renders at, and of the frames schedule() and position() count.
    int engineRate() const { return engineRate_; }

    // The engine frame of a time in seconds from the first frame at an engine rate; 0 for
    // what is not a finite time from 0 on.
    static qint64 frameOf(double seconds, int engineRate = kEngineRate);
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
    // Engine frames straight into out (stride 1 for planar, 2 for interleaved), as few calls
    // of the synthesizer as the events due between them allow.
    void renderEngine(float* left, float* right, int stride, int frames);
    // Engine frames from here to the block boundary at which the next event is due.
    qint64 framesToNextDue() const;
    void applyDue();
    // Output frames through the decimators, written stride apart.
    void renderHalved(float* left, float* right, int stride, int frames);

    FluidSynthEngine engine_;
    int outputRate_;
    int engineRate_;
    bool halving_;
    bool primed_ = false;  // the decimators' delay has been rendered and dropped
    HalfBandDecimator halveLeft_, halveRight_;
    std::vector<float> engineLeft_, engineRight_;  // engine frames on their way to be halved
    std::vector<float> scratch_;
    qint64 position_ = 0;
    std::multimap<qint64, SynthEvent> scheduled_;
};

}  // namespace midi::detail
