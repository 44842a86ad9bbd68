#include "fluidlibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <mutex>

namespace midi::detail {

namespace {

void dropFluidMessage(int, const char*, void*) {}

#define BEATLOFT_FLUID_NAME(name) #name,
constexpr const char* kNames[] = {BEATLOFT_FLUID_CALLS(BEATLOFT_FLUID_NAME)};
#undef BEATLOFT_FLUID_NAME

// Every call found, or none: a library lacking one is not used at all.
bool findAll(void* library, void** addresses) {
    for (int call = 0; call < fluidcall::kCount; ++call) {
        addresses[call] = dlsym(library, kNames[call]);
        if (!addresses[call]) {
            std::fill(addresses, addresses + fluidcall::kCount, nullptr);
            return false;
        }
    }
    return true;
}

}  // namespace

void* FluidLibrary::addresses_[fluidcall::kCount] = {};

bool FluidLibrary::load() {
    static std::once_flag once;
    static bool loaded = false;
    std::call_once(once, [] {
        // Never closed: engines and their audio threads live until the process ends.
        void* library = dlopen(BEATLOFT_FLUIDSYNTH_SONAME, RTLD_NOW | RTLD_LOCAL);
        loaded = library && findAll(library, addresses_);
        if (!loaded) return;
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, dropFluidMessage, nullptr);
    });
    return loaded;
}

}  // namespace midi::detail
