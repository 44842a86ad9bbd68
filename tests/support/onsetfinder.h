#pragma once

#include <QString>
#include <vector>

// Where drum notes start in a recording: a signal that rises above 0.08 after at least
// 15 ms below 0.03, marked where its attack begins or where it passes 0.08.
class OnsetFinder {
public:
    enum class Mark { AttackStart, Crossing };

    static std::vector<double> frames(const std::vector<float>& samples, int rate,
                                      Mark mark = Mark::AttackStart);
    // Writes folder/onsets.drm, a pattern whose onsets are found cleanly: one sidestick on
    // every one of 16 steps at 120 BPM, 4 steps per beat. Gives its path.
    static QString writeSidestickPattern(const QString& folder);
};
