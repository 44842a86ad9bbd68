#pragma once

#include "exclusivekeys.h"
#include "fluidsynthengine.h"
#include "synthevent.h"

#include <QtGlobal>
#include <map>
#include <vector>

namespace midi::detail {

// One of the synthesizer engines a TimedRenderer mixes. FluidSynth applies an event only
// where one of its 64-frame blocks starts; this engine's blocks start `offset` frames after
// the first engine's, so that together the engines start a block every few frames and each
// event goes to the engine whose block starts nearest to it. An engine with nothing
// sounding (no voice, its reverb died away) is not rendered until its next event.
class EnginePhase {
public:
    static constexpr int kBlockFrames = 64;

    enum class Output { Dry, Effects };

    // keys is shared by the engines of a renderer and outlives them.
    EnginePhase(int offset, Output output, ExclusiveKeys* keys)
        : offset_(offset), output_(output), keys_(keys) {}
    EnginePhase(const EnginePhase&) = delete;
    EnginePhase& operator=(const EnginePhase&) = delete;

    FluidSynthEngine& engine() { return engine_; }
    const FluidSynthEngine& engine() const { return engine_; }

    // The frame where an event at `frame` is applied: the nearest block start from the
    // next one on.
    qint64 dueFrame(qint64 frame) const;
    void schedule(qint64 frame, const SynthEvent& event) { scheduled_.emplace(frame, event); }
    // Applies an event at the engine's next block, whatever is scheduled.
    void apply(const SynthEvent& event);
    bool hasScheduled() const { return !scheduled_.empty(); }
    bool hasScheduledNoteOn() const;
    // Adds the engine's next frames to left and right.
    void renderAdd(float* left, float* right, int frames);

private:
    // The first block start at or after frame.
    qint64 blockStartFrom(qint64 frame) const;
    // Frames from here to the next event's block start, at most `most`.
    int framesUntilDue(int most) const;
    void applyDue();
    void wake();
    // Renders frames no one hears until the engine's blocks start where this phase's do.
    void align();
    void render(float* left, float* right, int frames);
    // Renders while no voice plays, listening for the end of the reverb.
    void renderTail(float* left, float* right, int frames);
    // Adds the engine's output to left and right.
    void process(float* left, float* right, int frames);

    FluidSynthEngine engine_;
    int offset_;
    Output output_;
    ExclusiveKeys* keys_;
    qint64 position_ = 0;      // output frames rendered or skipped
    qint64 engineFrames_ = 0;  // frames the synthesizer produced
    qint64 quietFrames_ = 0;   // frames since the engine was last heard
    bool asleep_ = true;
    std::multimap<qint64, SynthEvent> scheduled_;
    std::vector<float> tail_;
};

}  // namespace midi::detail
