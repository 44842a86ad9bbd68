#pragma once

#include "midiresult.h"
#include "presetselection.h"
#include "runningstatus.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;
typedef struct _fluid_sfont_t fluid_sfont_t;
typedef struct _fluid_voice_t fluid_voice_t;

namespace midi::detail {

// One FluidSynth synthesizer with a General MIDI sound font, fed with packed short
// messages and system-exclusive blocks. The built-in synthesizer device and the offline
// renderer both play through it.
class FluidSynthEngine {
public:
    static constexpr int kMaxPeriodFrames = 256;
    static constexpr int kPeriods = 3;
    // Voices of an engine made by createSharing().
    static constexpr int kSharedPolyphony = 64;

    FluidSynthEngine();
    ~FluidSynthEngine();
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    // Creates the synthesizer and loads the first sound font of SoundFontLocator that
    // loads, with only the presets of presets where the font can be cut down to them.
    // kError with a reason in *error when none does, kNoMemory when FluidSynth cannot be
    // created.
    Result create(double sampleRate, QString* error = nullptr, const PresetSelection& presets = {});
    // Creates a synthesizer at the same rate that plays the sound font of primary, without
    // loading it again, and without reverb or chorus: its sound is dry. primary must
    // outlive it.
    Result createSharing(const FluidSynthEngine& primary);
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
    // Does to the sounding voices what a note-on of this key does, without being heard: the
    // same note is released and, for a key of an exclusive class, the voices of its class
    // (an open hi-hat under a closed one) are cut. For engines that take turns playing one
    // channel's notes.
    void echoNoteOn(int channel, int key, int velocity, bool exclusive);
    // Whether the voices the last note-on started belong to an exclusive class.
    bool lastNoteIsExclusive();
    // Voices started and neither released nor silenced.
    int soundingVoices() const;
    // Voices still making sound, release phases included.
    int activeVoices() const;

    fluid_synth_t* synth() const { return synth_; }
    QString soundFont() const { return soundFont_; }
    QString audioDriver() const { return audioDriver_; }

private:
    void destroy();
    // A synthesizer with the program's settings and no sound font.
    Result makeSynth(double sampleRate, bool effects);
    // Loads the font at path, or the part of it presets selects.
    bool loadFont(const QString& path, const PresetSelection& presets);
    void releasePedals();
    // The voices playing now, null-terminated.
    void listVoices(std::vector<fluid_voice_t*>& voices) const;
    // Lists the voices playing into voices_; gives the id of the newest.
    unsigned int newestVoices();

    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* audio_ = nullptr;
    fluid_sfont_t* borrowed_ = nullptr;   // the primary engine's font, never deleted here
    std::vector<fluid_voice_t*> voices_;  // kept, so the audio thread does not allocate
    RunningStatus running_;
    QString soundFont_;
    QString audioDriver_;
};

}  // namespace midi::detail
