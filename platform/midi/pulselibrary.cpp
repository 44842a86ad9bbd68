#include "pulselibrary.h"

namespace midi::detail {

namespace {

#define BEATLOFT_PULSE_NAME(name) #name,
constexpr const char* kNames[] = {BEATLOFT_PULSE_CALLS(BEATLOFT_PULSE_NAME)};
#undef BEATLOFT_PULSE_NAME

DynamicLibrary& library() {
    static DynamicLibrary pulse(BEATLOFT_PULSE_SONAME, kNames, pulsecall::addresses,
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
