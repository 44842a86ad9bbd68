#pragma once

#include "midiresult.h"
#include "runningstatus.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace midi::detail {

// One FluidSynth synthesizer with a General MIDI sound font, fed with packed short
// messages and system-exclusive blocks. The built-in synthesizer device and the offline
// renderer both play through it.
class FluidSynthEngine {
public:
    static constexpr int kMaxPeriodFrames = 256;
    static constexpr int kPeriods = 3;

    FluidSynthEngine();
    ~FluidSynthEngine();
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    // Creates the synthesizer and loads the first sound font of SoundFontLocator that
    // loads. kError with a reason in *error when none does, kNoMemory when FluidSynth
    // cannot be created.
    Result create(double sampleRate, QString* error = nullptr);
    // Sends the sound to the first audio driver that starts: pulseaudio, alsa (JACK is the
    // program's own client, never FluidSynth's driver, which could start a server). With a
    // render function, the driver asks it for every period instead of the synthesizer.
    // Returns the driver's name, or an empty text when none starts (the synthesizer then
    // renders into nothing).
    using RenderFunction = int (*)(void* data, int frames, int effectCount, float* effects[],
                                   int outputCount, float* outputs[]);
    QString startAudio(RenderFunction render = nullptr, void* data = nullptr);
    // Ends the audio stream.
    void stopAudio();

    void shortMessage(std::uint32_t message);
    // A complete block with its leading 0xF0 and trailing 0xF7.
    void longMessage(const QByteArray& sysex);
    // Releases every note on every channel.
    void reset();
    // Ends every sound at once, release phases included.
    void silence();

    fluid_synth_t* synth() const { return synth_; }
    QString soundFont() const { return soundFont_; }
    QString audioDriver() const { return audioDriver_; }

private:
    void destroy();
    void releasePedals();

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* audio_ = nullptr;
    RunningStatus running_;
    QString soundFont_;
    QString audioDriver_;
};

}  // namespace midi::detail
