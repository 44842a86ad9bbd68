// Feeds arbitrary bytes to the pattern reader as a pattern file would reach it, over a
// pattern of 18 instrument rows (notes 35 to 52) and 16 steps: opened, or mixed in when the
// first byte is odd (a pattern file begins with a quote, 0x22). Checks that reading ends,
// that the pattern keeps its rows, no more than 256 columns, and only levels from 0 to 3.
#include "pattern/pattern.h"
#include "pattern/patternreader.h"

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
    const bool mix = size > 0 && (data[0] & 1);
    Pattern pattern = start;
    PatternReader reader(bytes, mix, !mix);
    reader.read(&pattern);
    check(reader.unassigned() >= 0 && reader.unassigned() <= int(size));
    check(pattern.rows() == start.rows() && pattern.columns() <= Pattern::kMaxColumns);
    for (int step = 1; step <= pattern.columns(); ++step)
        for (int row = 1; row <= pattern.rows(); ++row)
            check(pattern.level(step, row) >= 0 && pattern.level(step, row) <= 3);
    return 0;
}
