#pragma once

#include "midibackend.h"

namespace midi::detail {

// The ALSA sequencer's ports (alsasequencer.h), or none while the system has no sequencer
// device. RtMidi and libasound, with the JACK library RtMidi brings, come in a module loaded
// once the device shows: without one, none of them is loaded.
MidiBackend* alsaBackend();

}  // namespace midi::detail
