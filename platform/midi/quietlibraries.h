#pragma once

namespace midi::detail {

// Routes the messages libasound, GLib and libjack would print on stderr into nothing
// (FluidSynth's are quieted when it is opened), and keeps every JACK client of the process from
// starting a server. Opens libasound and libjack: called where a library that uses them is
// opened. Safe to call often; acts once per process.
void quietLibraries();

// Keeps every JACK client of the process from starting a server; opens no library.
void keepJackServersDown();

}  // namespace midi::detail
