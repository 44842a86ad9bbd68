#pragma once

namespace midi::detail {

// Whether BEATLOFT_MIDI_BACKENDS lets the program use a system backend ("alsa", "jack",
// "synth", named separated by commas or blanks); unset or empty means every one.
bool backendChosen(const char* name);

}  // namespace midi::detail
