#pragma once

#include "dynamiclibrary.h"

#include <fluidsynth.h>

namespace midi::detail {

// FluidSynth brings some forty libraries of its own (audio servers, SDL, GLib, libsndfile),
// which cost a window about a third of its loading time. The program therefore does not
// link it: the library is opened when the first synthesizer is made.
class FluidLibrary {
public:
    // Opens the library, finds every call and quiets its log, once; false when that failed.
    static bool load();
};

// clang-format off
#define BEATLOFT_FLUID_CALLS(X)                                                                \
    X(new_fluid_settings) X(delete_fluid_settings) X(fluid_settings_setint)                    \
    X(fluid_settings_setnum) X(fluid_settings_setstr) X(fluid_settings_getnum)                 \
    X(new_fluid_synth) X(delete_fluid_synth) X(fluid_synth_sfload) X(fluid_synth_add_sfont)    \
    X(fluid_synth_remove_sfont) X(fluid_synth_get_sfont) X(fluid_is_soundfont)                 \
    X(new_fluid_audio_driver) X(new_fluid_audio_driver2) X(delete_fluid_audio_driver)          \
    X(fluid_set_log_function) X(fluid_synth_process) X(fluid_synth_noteon)                     \
    X(fluid_synth_noteoff) X(fluid_synth_cc) X(fluid_synth_program_change)                     \
    X(fluid_synth_pitch_bend) X(fluid_synth_key_pressure) X(fluid_synth_channel_pressure)      \
    X(fluid_synth_sysex) X(fluid_synth_system_reset) X(fluid_synth_all_notes_off)              \
    X(fluid_synth_all_sounds_off) X(fluid_synth_set_gain) X(fluid_synth_get_gain)              \
    X(fluid_synth_get_polyphony) X(fluid_synth_get_active_voice_count)                         \
    X(fluid_synth_count_midi_channels) X(fluid_synth_get_voicelist) X(fluid_voice_get_id)      \
    X(fluid_voice_is_on) X(fluid_voice_gen_get) X(fluid_voice_gen_set)                         \
    X(fluid_voice_update_param) X(new_fluid_defsfloader) X(fluid_sfloader_set_callbacks)    \
    X(fluid_synth_add_sfloader)
// clang-format on

#define BEATLOFT_LIBRARY_SPACE fluidcall
BEATLOFT_DECLARE_LIBRARY(BEATLOFT_FLUID_CALLS)
#undef BEATLOFT_LIBRARY_SPACE

}  // namespace midi::detail
