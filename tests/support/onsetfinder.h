#pragma once

#include <QString>
#include <vector>

// Where drum notes start in a recording: where the attack begins of a signal that rises
// above 0.08 after at least 15 ms below 0.03.
class OnsetFinder {
public:
    static std::vector<double> frames(const std::vector<float>& samples, int rate);
    // Writes folder/onsets.drm, a pattern whose onsets are found cleanly: one sidestick on
    // every one of 16 steps at 120 BPM, 4 steps per beat. Gives its path.
    static QString writeSidestickPattern(const QString& folder);
};
