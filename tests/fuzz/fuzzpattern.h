#pragma once

#include "pattern/pattern.h"

#include <cstdlib>

// What the pattern fuzz targets share: a failed check ends the run as a finding, and the
// pattern of 18 instrument rows (notes 35 to 52) that the inputs are read over.
namespace fuzzpattern {

inline void check(bool condition) {
    if (!condition) std::abort();
}

inline Pattern startPattern() {
    Pattern pattern;
    QList<Instrument> rows;
    for (int row = 1; row <= pattern.rows(); ++row)
        rows << Instrument{QStringLiteral("Row"), QString::number(34 + row)};
    pattern.setInstruments(rows);
    return pattern;
}

// The pattern kept its rows, no more than 256 columns and only levels from 0 to 3.
inline void checkShape(const Pattern& pattern, const Pattern& start) {
    check(pattern.rows() == start.rows() && pattern.columns() <= Pattern::kMaxColumns);
    for (int step = 1; step <= pattern.columns(); ++step)
        for (int row = 1; row <= pattern.rows(); ++row)
            check(pattern.level(step, row) >= 0 && pattern.level(step, row) <= 3);
}

}  // namespace fuzzpattern
