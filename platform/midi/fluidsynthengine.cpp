#include "fluidsynthengine.h"

#include "fluidlibrary.h"
#include "memorysoundfont.h"
#include "quietlibraries.h"
#include "soundfontlocator.h"
#include "soundfontsubset.h"

#include <QFile>

#include <algorithm>

namespace midi::detail {

FluidSynthEngine::FluidSynthEngine() = default;

FluidSynthEngine::~FluidSynthEngine() {
    destroy();
}

void FluidSynthEngine::destroy() {
    stopAudio();
    if (borrowed_) fluid_synth_remove_sfont(synth_, borrowed_);
    borrowed_ = nullptr;
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
    audio_ = nullptr;
    synth_ = nullptr;
    settings_ = nullptr;
}

Result FluidSynthEngine::makeSynth(double sampleRate, bool effects) {
    destroy();
    quietLibraries();  // before FluidSynth opens its drivers' libraries
    if (!FluidLibrary::load()) return kError;
    settings_ = new_fluid_settings();
    if (!settings_) return kNoMemory;
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    fluid_settings_setint(settings_, "audio.period-size", kMaxPeriodFrames);
    fluid_settings_setint(settings_, "audio.periods", kPeriods);
    fluid_settings_setint(settings_, "synth.reverb.active", effects ? 1 : 0);
    fluid_settings_setint(settings_, "synth.chorus.active", effects ? 1 : 0);
    // The dry engines share the notes between them.
    if (!effects) fluid_settings_setint(settings_, "synth.polyphony", kSharedPolyphony);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        destroy();
        return kNoMemory;
    }
    voices_.reserve(size_t(fluid_synth_get_polyphony(synth_)) + 1);
    return kNoError;
}

Result FluidSynthEngine::createSharing(const FluidSynthEngine& primary) {
    double rate = 0;
    fluid_settings_getnum(primary.settings_, "synth.sample-rate", &rate);
    fluid_sfont_t* font = primary.synth_ ? fluid_synth_get_sfont(primary.synth_, 0) : nullptr;
    if (!font) return kError;
    const Result result = makeSynth(rate, false);
    if (result != kNoError) return result;
    if (fluid_synth_add_sfont(synth_, font) == FLUID_FAILED) {
        destroy();
        return kNoMemory;
    }
    borrowed_ = font;
    soundFont_ = primary.soundFont_;
    return kNoError;
}

Result FluidSynthEngine::create(double sampleRate, QString* error, const PresetSelection& presets) {
    const Result made = makeSynth(sampleRate, true);
    if (made != kNoError) {
        if (error && !FluidLibrary::load())
            *error = QStringLiteral("The synthesizer library %1 could not be opened")
                         .arg(QString::fromLatin1(BEATLOFT_FLUIDSYNTH_SONAME));
        return made;
    }

    const QStringList fonts = SoundFontLocator::candidates();
    for (const QString& font : fonts) {
        if (loadFont(font, presets)) {
            soundFont_ = font;
            SoundFontLocator::reportPassedOver(font);
            return kNoError;
        }
    }
    if (error)
        *error = fonts.isEmpty()
                     ? QStringLiteral("No General MIDI sound font (.sf2, .sf3) was found")
                     : QStringLiteral("No sound font could be loaded: %1")
                           .arg(fonts.join(QStringLiteral(", ")));
    destroy();
    return kError;
}

bool FluidSynthEngine::loadFont(const QString& font, const PresetSelection& presets) {
    const QByteArray path = QFile::encodeName(font);
    if (!fluid_is_soundfont(path.constData())) return false;
    if (!presets.isEverything()) {
        const QByteArray subset = SoundFontSubset::build(font, presets);
        if (!subset.isEmpty() && MemorySoundFont::load(settings_, synth_, subset)) return true;
    }
    return fluid_synth_sfload(synth_, path.constData(), 1) != FLUID_FAILED;
}

QString FluidSynthEngine::startAudio(RenderFunction render, void* data) {
    if (!synth_ || audio_) return audioDriver_;
    for (const char* driver : {"pulseaudio", "alsa"}) {
        if (fluid_settings_setstr(settings_, "audio.driver", driver) != FLUID_OK) continue;
        audio_ = render ? new_fluid_audio_driver2(settings_, render, data)
                        : new_fluid_audio_driver(settings_, synth_);
        if (audio_) {
            audioDriver_ = QString::fromLatin1(driver);
            break;
        }
    }
    return audioDriver_;
}

void FluidSynthEngine::stopAudio() {
    if (audio_) delete_fluid_audio_driver(audio_);
    audio_ = nullptr;
    audioDriver_.clear();
}

void FluidSynthEngine::shortMessage(std::uint32_t message) {
    if (!synth_) return;
    const RunningStatus::Bytes bytes = running_.unpack(message);
    if (bytes.length == 0) return;
    const int status = bytes.status();
    const int channel = status & 0x0F;
    const int data1 = bytes.data[1] & 0x7F;
    const int data2 = bytes.data[2] & 0x7F;
    switch (status & 0xF0) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, data1);
            break;
        case 0x90:
            if (data2 == 0)
                fluid_synth_noteoff(synth_, channel, data1);
            else
                fluid_synth_noteon(synth_, channel, data1, data2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, data1, data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, data1, data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7));
            break;
        default:
            if (status == 0xFF) fluid_synth_system_reset(synth_);
            break;
    }
}

void FluidSynthEngine::longMessage(const QByteArray& sysex) {
    if (!synth_) return;
    QByteArray body = sysex;
    if (body.startsWith('\xF0')) body.remove(0, 1);
    if (body.endsWith('\xF7')) body.chop(1);
    if (body.isEmpty()) return;
    fluid_synth_sysex(synth_, body.constData(), static_cast<int>(body.size()), nullptr, nullptr,
                      nullptr, 0);
}

void FluidSynthEngine::releasePedals() {
    for (int channel = 0; channel < fluid_synth_count_midi_channels(synth_); ++channel)
        fluid_synth_cc(synth_, channel, 64, 0);  // sustain pedal up
    running_.clear();
}

void FluidSynthEngine::reset() {
    if (!synth_) return;
    releasePedals();
    fluid_synth_all_notes_off(synth_, -1);
}

void FluidSynthEngine::silence() {
    if (!synth_) return;
    releasePedals();
    fluid_synth_all_notes_off(synth_, -1);
    fluid_synth_all_sounds_off(synth_, -1);
}

void FluidSynthEngine::listVoices(std::vector<fluid_voice_t*>& voices) const {
    voices.assign(size_t(synth_ ? fluid_synth_get_polyphony(synth_) : 0) + 1, nullptr);
    if (synth_) fluid_synth_get_voicelist(synth_, voices.data(), int(voices.size()) - 1, -1);
}

unsigned int FluidSynthEngine::newestVoices() {
    listVoices(voices_);
    unsigned int newest = 0;
    for (fluid_voice_t* voice : voices_)
        if (voice) newest = std::max(newest, fluid_voice_get_id(voice));
    return newest;
}

bool FluidSynthEngine::lastNoteIsExclusive() {
    const unsigned int newest = newestVoices();
    return std::any_of(voices_.begin(), voices_.end(), [newest](fluid_voice_t* voice) {
        return voice && fluid_voice_get_id(voice) == newest &&
               fluid_voice_gen_get(voice, GEN_EXCLUSIVECLASS) != 0;
    });
}

// A note-on releases the same note, which a note-off does too. Cutting an exclusive class
// takes a note of that class: it starts its voices at an attenuation no one hears (144 dB)
// and is released at once. Such a voice changes how the next note in its place begins
// (FluidSynth fades a voice in from its slot's last level), so only these keys get one.
void FluidSynthEngine::echoNoteOn(int channel, int key, int velocity, bool exclusive) {
    if (!synth_ || activeVoices() == 0) return;  // nothing it could end
    if (!exclusive) {
        fluid_synth_noteoff(synth_, channel, key);
        return;
    }
    if (fluid_synth_noteon(synth_, channel, key, velocity) != FLUID_OK) return;
    const unsigned int newest = newestVoices();
    for (fluid_voice_t* voice : voices_) {
        if (!voice || fluid_voice_get_id(voice) != newest) continue;
        fluid_voice_gen_set(voice, GEN_ATTENUATION, 1440.0f);
        fluid_voice_update_param(voice, GEN_ATTENUATION);
    }
    fluid_synth_noteoff(synth_, channel, key);
}

int FluidSynthEngine::soundingVoices() const {
    std::vector<fluid_voice_t*> playing;
    listVoices(playing);
    return int(std::count_if(playing.begin(), playing.end(), [](fluid_voice_t* voice) {
        return voice && fluid_voice_is_on(voice);
    }));
}

int FluidSynthEngine::activeVoices() const {
    return synth_ ? fluid_synth_get_active_voice_count(synth_) : 0;
}

}  // namespace midi::detail
