#pragma once

namespace midi::detail {

// Routes the messages libasound, FluidSynth and libjack would print on stderr into
// nothing, and keeps every JACK client of the process from starting a server. Safe to call
// often; acts once per process.
void quietLibraries();

}  // namespace midi::detail
