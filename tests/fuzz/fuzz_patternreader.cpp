// Feeds arbitrary bytes to the pattern reader as a pattern file would reach it, over a
// pattern of 18 instrument rows (notes 35 to 52) and 16 steps: opened, or mixed in when the
// first byte is odd (a pattern file begins with a quote, 0x22). Checks that reading ends,
// that the pattern keeps its rows, no more than 256 columns, and only levels from 0 to 3.
#include "pattern/pattern.h"
#include "pattern/patternreader.h"

#include "fuzzpattern.h"

#include <cstddef>
#include <cstdint>

using fuzzpattern::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Pattern start = fuzzpattern::startPattern();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool mix = size > 0 && (data[0] & 1);
    Pattern pattern = start;
    PatternReader reader(bytes, mix, !mix);
    reader.read(&pattern);
    check(reader.unassigned() >= 0 && reader.unassigned() <= int(size));
    fuzzpattern::checkShape(pattern, start);
    return 0;
}
