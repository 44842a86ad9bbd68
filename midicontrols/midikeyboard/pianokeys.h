#pragma once

#include <QPolygon>
#include <QRegion>
#include <array>
#include <optional>

// The keys of a five-octave keyboard (MIDI notes 36 to 95) as 60 polygon regions in
// pixels, top left at (0, 0): white keys 8 x 30, black keys 4 x 20, 56 pixels an octave.
class PianoKeys {
public:
    static constexpr int kKeyCount = 60;
    static constexpr int kLowestNote = 36;
    static constexpr int kOctaveWidth = 56;

    PianoKeys();

    // The note of the first key whose region holds point (right and bottom edges
    // excluded), or nothing.
    std::optional<int> noteAt(const QPoint& point) const;

    const QRegion& region(int key) const { return regions_[size_t(key)]; }
    static QPolygon polygon(int key);
    static bool isBlack(int key);

private:
    std::array<QRegion, kKeyCount> regions_;
};
