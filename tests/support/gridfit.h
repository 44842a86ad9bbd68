#pragma once

#include <vector>

// How onsets sit on a grid of equal steps. The recording runs on the device's clock, which
// may run fast or slow against the program's: a straight line is fitted to the deviations
// from the grid (least squares), its slope is that clock ratio, and what is left is jitter.
struct GridFit {
    double slopePerStep = 0;      // the fitted drift, in the onsets' unit per step
    std::vector<double> jitter;   // |deviation - line| of each onset
    std::vector<double> offsets;  // |deviation - mean deviation| of each onset

    // Needs two onsets at least; fewer give an empty fit.
    static GridFit of(const std::vector<double>& at, double step);
};
