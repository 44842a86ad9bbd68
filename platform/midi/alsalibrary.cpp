#include "alsalibrary.h"

namespace midi::detail {

bool AlsaLibrary::load() {
    static DynamicLibrary alsa(BEATLOFT_ASOUND_SONAME, alsacall::names, alsacall::addresses,
                               alsacall::kCount);
    return alsa.load();
}

}  // namespace midi::detail
