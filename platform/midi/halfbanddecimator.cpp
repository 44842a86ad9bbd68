#include "halfbanddecimator.h"

#include <cmath>
#include <numbers>

namespace midi::detail {

namespace {

// The Kaiser window's shape: with kReach taps a side, over 80 dB of stop band attenuation.
constexpr double kBeta = 8.2;

// The modified Bessel function of the first kind and order 0, by its power series.
double besselI0(double x) {
    double sum = 1, term = 1;
    for (int k = 1; term > 1e-12 * sum; ++k) {
        term *= (x / (2 * k)) * (x / (2 * k));
        sum += term;
    }
    return sum;
}

// A windowed sinc cut off at half the input's Nyquist frequency, its side taps scaled so that
// they add up to 1/4 per side: the filter passes a constant level unchanged.
std::array<float, HalfBandDecimator::kSideTaps> designTaps() {
    std::array<double, HalfBandDecimator::kSideTaps> taps{};
    double sum = 0;
    for (int i = 0; i < HalfBandDecimator::kSideTaps; ++i) {
        const int k = 2 * i + 1;
        const double ratio = double(k) / HalfBandDecimator::kReach;
        const double window = besselI0(kBeta * std::sqrt(1 - ratio * ratio)) / besselI0(kBeta);
        taps[i] = std::sin(std::numbers::pi * k / 2) / (std::numbers::pi * k) * window;
        sum += taps[i];
    }
    std::array<float, HalfBandDecimator::kSideTaps> scaled{};
    for (int i = 0; i < HalfBandDecimator::kSideTaps; ++i) scaled[i] = float(taps[i] * 0.25 / sum);
    return scaled;
}

}  // namespace

HalfBandDecimator::HalfBandDecimator()
    : odd_(size_t(kSideTaps) * 2 - 1, 0.0f), even_(size_t(kSideTaps), 0.0f) {}

const std::array<float, HalfBandDecimator::kSideTaps>& HalfBandDecimator::sideTaps() {
    static const auto taps = designTaps();
    return taps;
}

// Output p is centred on even input sample 2p - 2 kDelay: the even list holds it at p, the odd
// list its neighbours at distances 1, 3, … from p + kSideTaps - 1 down and from p + kSideTaps up.
void HalfBandDecimator::process(const float* input, int inputSamples, float* output, int stride) {
    const int outputs = inputSamples / 2;
    const size_t oddKept = size_t(kSideTaps) * 2 - 1, evenKept = size_t(kSideTaps);
    odd_.resize(oddKept + size_t(outputs));
    even_.resize(evenKept + size_t(outputs));
    for (int p = 0; p < outputs; ++p) {
        even_[evenKept + size_t(p)] = input[2 * p];
        odd_[oddKept + size_t(p)] = input[2 * p + 1];
    }
    sum_.assign(size_t(outputs), 0.0f);
    float* __restrict sum = sum_.data();
    const auto& taps = sideTaps();
    for (int i = 0; i < kSideTaps; ++i) {
        const float* __restrict before = odd_.data() + kSideTaps - 1 - i;
        const float* __restrict after = odd_.data() + kSideTaps + i;
        const float tap = taps[size_t(i)];
        for (int p = 0; p < outputs; ++p) sum[p] += tap * (before[p] + after[p]);
    }
    for (int p = 0; p < outputs; ++p)
        output[size_t(p) * size_t(stride)] = sum[p] + 0.5f * even_[size_t(p) + 1];
    odd_.erase(odd_.begin(), odd_.begin() + outputs);
    even_.erase(even_.begin(), even_.begin() + outputs);
}

}  // namespace midi::detail
