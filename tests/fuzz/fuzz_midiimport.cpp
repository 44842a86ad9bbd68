// Feeds arbitrary bytes to the MIDI file import over 18 instrument rows (notes 35 to 52).
// Checks that reading ends with a pattern or a reason, that the pattern keeps its rows, no
// more than 256 columns, levels from 0 to 3, and that every note left out is a real note.
#include "midifile/midiimport.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

Pattern startPattern() {
    Pattern pattern;
    QList<Instrument> rows;
    for (int row = 1; row <= pattern.rows(); ++row)
        rows << Instrument{QStringLiteral("Row"), QString::number(34 + row)};
    pattern.setInstruments(rows);
    return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Pattern start = startPattern();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const auto result = MidiImport::fromBytes(bytes, start, QStringLiteral("x"), &error);
    if (!result) {
        check(!error.isEmpty());
        return 0;
    }
    const Pattern& pattern = result->pattern;
    check(pattern.rows() == start.rows() && pattern.columns() <= Pattern::kMaxColumns);
    for (int step = 1; step <= pattern.columns(); ++step)
        for (int row = 1; row <= pattern.rows(); ++row)
            check(pattern.level(step, row) >= 0 && pattern.level(step, row) <= 3);
    for (const int note : result->unassigned) check(note >= 0 && note <= 127);
    return 0;
}
