#include "pulselibrary.h"

namespace midi::detail {

namespace {

DynamicLibrary& library() {
    static DynamicLibrary pulse(BEATLOFT_PULSE_SONAME, pulsecall::names, pulsecall::addresses,
                                pulsecall::kCount);
    return pulse;
}

}  // namespace

bool PulseLibrary::load() {
    return library().load();
}

const char* PulseLibrary::soname() {
    return BEATLOFT_PULSE_SONAME;
}

}  // namespace midi::detail
