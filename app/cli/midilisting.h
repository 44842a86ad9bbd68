#pragma once

#include <QString>

// `beatloft --list-midi`: the MIDI devices the program can use, without a window.
namespace midilisting {

// The output devices under the heading "MIDI-Ausgänge", then the input devices under
// "MIDI-Eingänge", one a line as "index - product name".
QString text();

// Writes text() on standard output; returns the program's exit code.
int print();

}  // namespace midilisting
