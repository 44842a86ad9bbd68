#include "alsabackend.h"

#include "alsasequencer.h"
#include "dynamiclibrary.h"

#include <QFileInfo>

namespace midi::detail {

#define BEATLOFT_ALSA_MODULE_CALLS(X) X(beatloftAlsaSequencer)
#define BEATLOFT_LIBRARY_SPACE alsamodule
BEATLOFT_DECLARE_LIBRARY(BEATLOFT_ALSA_MODULE_CALLS)
#undef BEATLOFT_LIBRARY_SPACE

MidiBackend* alsaBackend() {
    if (!QFileInfo::exists(QStringLiteral("/dev/snd/seq"))) return nullptr;
    static DynamicLibrary module(BEATLOFT_ALSA_MODULE, alsamodule::names, alsamodule::addresses,
                                 alsamodule::kCount);
    if (!module.load()) return nullptr;
    static MidiBackend* const sequencer = beatloftAlsaSequencer();
    return sequencer;
}

}  // namespace midi::detail
