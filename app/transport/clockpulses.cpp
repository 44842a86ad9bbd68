#include "clockpulses.h"

#include <cmath>

QList<double> ClockPulses::nextStep(double periodMs, double stepsPerBeat) {
    const long long step = step_++;
    // A negative tempo with negative steps per beat still gives a step: its beat is as long.
    const double s = std::fabs(stepsPerBeat);
    QList<double> offsets;
    if (!(periodMs > 0) || !std::isfinite(periodMs * s) ||
        periodMs * s / kPerQuarter < kMinSpacingMs)
        return offsets;
    // Pulse j lies in this step when step x 24 <= j x S < (step + 1) x 24; the products are
    // exact for whole steps per beat, so a pulse due on a step gets offset 0 exactly.
    const double from = double(step) * kPerQuarter, to = double(step + 1) * kPerQuarter;
    auto j = (long long)std::ceil(from / s);
    while (j > 0 && double(j - 1) * s >= from) --j;
    while (double(j) * s < from) ++j;
    for (; double(j) * s < to; ++j) offsets << (double(j) * s - from) / kPerQuarter * periodMs;
    return offsets;
}
