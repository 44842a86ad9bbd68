#pragma once

#include <array>
#include <vector>

namespace midi::detail {

// Halves the sample rate of one channel with a linear-phase half-band FIR filter: flat to
// 0.43 of the output rate, at least 80 dB down from 0.57 of it on, so that nothing from
// above the new Nyquist frequency folds into the audible band. Every other tap of such a
// filter is zero, and the odd input samples it needs are kept apart, so an output sample
// costs kSideTaps multiply-adds.
class HalfBandDecimator {
public:
    // Taps on each side of the centre: odd, so that the filter's delay is a whole number of
    // output samples.
    static constexpr int kReach = 37;
    static constexpr int kSideTaps = (kReach + 1) / 2;
    // Output samples by which the output lags: output sample n + kDelay is input sample 2n.
    static constexpr int kDelay = (kReach - 1) / 2;

    HalfBandDecimator();

    // Filters an even number of input samples into half as many output samples, written
    // stride apart, continuing from the samples of the last call.
    void process(const float* input, int inputSamples, float* output, int stride);

    // The taps at odd distances 1, 3, … kReach from the centre; the centre tap is 1/2.
    static const std::array<float, kSideTaps>& sideTaps();

private:
    // Input samples at odd and even positions, the last kSideTaps of earlier calls first.
    std::vector<float> odd_;
    std::vector<float> even_;
    std::vector<float> sum_;  // the side taps' part of each output
};

}  // namespace midi::detail
