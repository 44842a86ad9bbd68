#pragma once

#include "exclusivekeys.h"
#include "fluidsynthengine.h"
#include "synthevent.h"

#include <QtGlobal>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace midi::detail {

// One of the synthesizer engines a TimedRenderer mixes. FluidSynth applies an event only
// where one of its 64-frame blocks starts; this engine's blocks start `offset` frames (mod
// 64) after frame 0 of the output. An engine with nothing sounding (no voice, its reverb
// died away) is not rendered until its next event, and while it waits for no note its
// blocks can be moved to start on any frame.
class EnginePhase {
public:
    static constexpr int kBlockFrames = 64;

    enum class Output { Dry, Effects };

    // keys is shared by the engines of a renderer and outlives them.
    // Rendering starts at output frame `from`.
    EnginePhase(int offset, Output output, ExclusiveKeys* keys, qint64 from = 0)
        : offset_(offset % kBlockFrames), output_(output), keys_(keys), position_(from) {}
    EnginePhase(const EnginePhase&) = delete;
    EnginePhase& operator=(const EnginePhase&) = delete;

    FluidSynthEngine& engine() { return engine_; }
    const FluidSynthEngine& engine() const { return engine_; }

    // The frame where an event at `frame` is applied: the nearest block start from the
    // next one on.
    qint64 dueFrame(qint64 frame) const;
    void schedule(qint64 frame, const SynthEvent& event);
    // Asleep with no note waiting: nothing it plays depends on where its blocks start.
    bool isFree() const { return asleep_ && !hasScheduledNoteOn(); }
    // Asleep with no note waiting but at frame: notes at frame start on voices as new.
    bool startsOnlyAt(qint64 frame) const;
    // Makes a free engine's blocks start on frame.
    void startBlocksAt(qint64 frame);
    // Applies an event at the engine's next block, whatever is scheduled.
    void apply(const SynthEvent& event);
    bool hasScheduled() const { return !scheduled_.empty(); }
    bool hasScheduledNoteOn() const { return !noteOnFrames_.empty(); }
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
    // Renders frames no one hears.
    void discard(int frames);
    // Leaves the voices the engine used as a new engine's are (see the definition).
    void clearUsedVoices();
    void render(float* left, float* right, int frames);
    // Renders while no voice plays, listening for the end of the reverb.
    void renderTail(float* left, float* right, int frames);
    // Adds the engine's output to left and right.
    void process(float* left, float* right, int frames);

    FluidSynthEngine engine_;
    int offset_;  // 0 to kBlockFrames - 1
    Output output_;
    ExclusiveKeys* keys_;
    qint64 position_ = 0;      // output frames rendered or skipped
    qint64 engineFrames_ = 0;  // frames the synthesizer produced
    qint64 quietFrames_ = 0;   // frames since the engine was last heard
    bool asleep_ = true;
    int voicesUsed_ = 0;            // the most voices at once since they were cleared
    std::uint32_t lastNoteOn_ = 0;  // a note that makes voices on this engine
    std::multimap<qint64, SynthEvent> scheduled_;
    std::multiset<qint64> noteOnFrames_;  // of the note-ons among them
    std::vector<float> tail_;
};

}  // namespace midi::detail
