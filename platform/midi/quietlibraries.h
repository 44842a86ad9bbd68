#pragma once

namespace midi::detail {

// Routes the messages libasound and FluidSynth would print on stderr into nothing.
// Safe to call often; acts once per process.
void quietLibraries();

}  // namespace midi::detail
