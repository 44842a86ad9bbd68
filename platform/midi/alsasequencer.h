#pragma once

#include "midibackend.h"

#include <QtGlobal>

// The module's entry: the process's one backend of the ALSA sequencer's ports, through
// RtMidi's ALSA API (never its JACK API, which crashes where no JACK server runs):
// writable ports as outputs, readable ports as inputs, each named and found again by its
// port name; the ports of this process are left out. Without an ALSA sequencer (no
// /dev/snd) there are no ports and nothing is printed. See alsaBackend().
extern "C" Q_DECL_EXPORT midi::detail::MidiBackend* beatloftAlsaSequencer();
