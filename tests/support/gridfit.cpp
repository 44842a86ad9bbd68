#include "gridfit.h"

#include <cmath>

GridFit GridFit::of(const std::vector<double>& at, double step) {
    GridFit fit;
    if (at.size() < 2) return fit;
    std::vector<double> steps, off;
    for (double t : at) {
        steps.push_back(std::round((t - at[0]) / step));
        off.push_back(t - steps.back() * step);
    }
    const double n = double(at.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < at.size(); ++i) {
        sx += steps[i];
        sy += off[i];
        sxx += steps[i] * steps[i];
        sxy += steps[i] * off[i];
    }
    fit.slopePerStep = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const double intercept = (sy - fit.slopePerStep * sx) / n;
    for (size_t i = 0; i < at.size(); ++i) {
        fit.jitter.push_back(std::fabs(off[i] - intercept - fit.slopePerStep * steps[i]));
        fit.offsets.push_back(std::fabs(off[i] - sy / n));
    }
    return fit;
}
