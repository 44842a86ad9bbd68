#pragma once

namespace midi::detail {

// Routes the messages libasound, GLib and libjack would print on stderr into nothing
// (FluidSynth's are quieted when it is opened), and keeps every JACK client of the process from
// starting a server. Safe to call often; acts once per process.
void quietLibraries();

}  // namespace midi::detail
