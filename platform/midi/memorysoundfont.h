#pragma once

#include <QByteArray>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace midi::detail {

// Loads a sound font held in memory into a synthesizer, through FluidSynth's own loader
// reading from the bytes instead of a file. FluidSynth keeps copies of what it needs: the
// bytes may go once load() has returned.
class MemorySoundFont {
public:
    static bool load(fluid_settings_t* settings, fluid_synth_t* synth, const QByteArray& bytes);
};

}  // namespace midi::detail
