#include "quietlibraries.h"

#include "alsalibrary.h"
#include "jacklibrary.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>

namespace midi::detail {

namespace {

void dropAlsaMessage(const char*, int, const char*, int, const char*, ...) {}
void dropGlibMessage(const char*, int, const char*, void*) {}
void dropJackMessage(const char*) {}

// FluidSynth's DLS loader (libinstpatch) reports a file it cannot read through GLib's log
// of the default domain. GLib is loaded with Qt; it is reached by name so that the
// program does not build against it.
void quietGlibDefaultDomain() {
    using LogFunction = void (*)(const char*, int, const char*, void*);
    using SetHandler = unsigned (*)(const char*, int, LogFunction, void*);
    const auto setHandler = reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, "g_log_set_handler"));
    // G_LOG_LEVEL_CRITICAL | WARNING | MESSAGE | INFO | DEBUG; fatal errors stay as they are
    constexpr int kNonFatalLevels = 0xF8;
    if (setHandler) setHandler(nullptr, kNonFatalLevels, dropGlibMessage, nullptr);
}

}  // namespace

void keepJackServersDown() {
    // No library the program loads may start a JACK server when it finds none.
    static std::once_flag once;
    std::call_once(once, [] { setenv("JACK_NO_START_SERVER", "1", 1); });
}

void quietLibraries() {
    static std::once_flag once;
    std::call_once(once, [] {
        keepJackServersDown();
        if (AlsaLibrary::load()) snd_lib_error_set_handler(dropAlsaMessage);
        quietGlibDefaultDomain();
        if (JackLibrary::load()) {
            jack_set_error_function(dropJackMessage);
            jack_set_info_function(dropJackMessage);
        }
    });
}

}  // namespace midi::detail
