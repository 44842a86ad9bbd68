// Feeds arbitrary bytes to the MIDI file import over 18 instrument rows (notes 35 to 52).
// Checks that reading ends with a pattern or a reason, that the pattern keeps its rows, no
// more than 256 columns, levels from 0 to 3, and that every note left out is a real note.
#include "midifile/midiimport.h"

#include "fuzzpattern.h"

#include <cstddef>
#include <cstdint>

using fuzzpattern::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Pattern start = fuzzpattern::startPattern();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto result = MidiImport::fromBytes(bytes, start, QStringLiteral("x"), &error);
    if (!result) {
        check(!error.isEmpty());
        return 0;
    }
    const Pattern& pattern = result->pattern;
    fuzzpattern::checkShape(pattern, start);
    for (const int note : result->unassigned) check(note >= 0 && note <= 127);
    return 0;
}
