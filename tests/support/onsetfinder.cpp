#include "onsetfinder.h"

#include <cmath>

std::vector<double> OnsetFinder::frames(const std::vector<float>& samples, int rate) {
    constexpr double kHigh = 0.08, kLow = 0.03;
    std::vector<double> found;
    bool armed = true;
    int quiet = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        const double level = std::fabs(samples[i]);
        if (armed && level >= kHigh) {
            const double before = std::fabs(samples[i - 1]);
            found.push_back(double(i - 1) + (kHigh - before) / (level - before));
            armed = false;
        }
        quiet = level < kLow ? quiet + 1 : 0;
        if (quiet >= rate * 15 / 1000) armed = true;
    }
    return found;
}
