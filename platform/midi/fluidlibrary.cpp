#include "fluidlibrary.h"

namespace midi::detail {

namespace {

void dropFluidMessage(int, const char*, void*) {}

}  // namespace

bool FluidLibrary::load() {
    static DynamicLibrary library(BEATLOFT_FLUIDSYNTH_SONAME, fluidcall::names,
                                  fluidcall::addresses, fluidcall::kCount);
    static std::once_flag quieted;
    if (!library.load()) return false;
    std::call_once(quieted, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, dropFluidMessage, nullptr);
    });
    return true;
}

}  // namespace midi::detail
