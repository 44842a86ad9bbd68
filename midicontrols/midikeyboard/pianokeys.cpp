#include "pianokeys.h"

#include <vector>

namespace {

// The corners of each key of an octave, x relative to the octave's left edge.
const std::array<std::vector<QPoint>, 12> kOctaveShapes{{
    {{0, 0}, {0, 30}, {8, 30}, {8, 20}, {6, 20}, {6, 0}},
    {{6, 0}, {6, 20}, {10, 20}, {10, 0}},
    {{10, 0}, {10, 20}, {8, 20}, {8, 30}, {16, 30}, {16, 20}, {14, 20}, {14, 0}},
    {{14, 0}, {14, 20}, {18, 20}, {18, 0}},
    {{18, 0}, {18, 20}, {16, 20}, {16, 30}, {24, 30}, {24, 0}},
    {{24, 0}, {24, 30}, {32, 30}, {32, 20}, {30, 20}, {30, 0}},
    {{30, 0}, {30, 20}, {34, 20}, {34, 0}},
    {{34, 0}, {34, 20}, {32, 20}, {32, 30}, {40, 30}, {40, 20}, {38, 20}, {38, 0}},
    {{38, 0}, {38, 20}, {42, 20}, {42, 0}},
    {{42, 0}, {42, 20}, {40, 20}, {40, 30}, {48, 30}, {48, 20}, {46, 20}, {46, 0}},
    {{46, 0}, {46, 20}, {50, 20}, {50, 0}},
    {{50, 0}, {50, 20}, {48, 20}, {48, 30}, {56, 30}, {56, 0}},
}};

}  // namespace

PianoKeys::PianoKeys() {
    for (int key = 0; key < kKeyCount; ++key)
        regions_[size_t(key)] = QRegion(polygon(key), Qt::OddEvenFill);
}

QPolygon PianoKeys::polygon(int key) {
    const std::vector<QPoint>& shape = kOctaveShapes[size_t(key % 12)];
    return QPolygon(QList<QPoint>(shape.begin(), shape.end()))
        .translated(key / 12 * kOctaveWidth, 0);
}

bool PianoKeys::isBlack(int key) {
    switch (key % 12) {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10:
            return true;
        default:
            return false;
    }
}

std::optional<int> PianoKeys::noteAt(const QPoint& point) const {
    for (int key = 0; key < kKeyCount; ++key)
        if (regions_[size_t(key)].contains(point)) return kLowestNote + key;
    return std::nullopt;
}
