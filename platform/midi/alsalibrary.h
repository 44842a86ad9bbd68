#pragma once

#include "dynamiclibrary.h"

#include <alsa/asoundlib.h>

namespace midi::detail {

// libasound, opened when a library that uses it is: only to route its messages.
class AlsaLibrary {
public:
    // Opens the library and finds every call, once; false when that failed.
    static bool load();
};

#define BEATLOFT_ALSA_CALLS(X) X(snd_lib_error_set_handler)

#define BEATLOFT_LIBRARY_SPACE alsacall
BEATLOFT_DECLARE_LIBRARY(BEATLOFT_ALSA_CALLS)
#undef BEATLOFT_LIBRARY_SPACE

}  // namespace midi::detail
