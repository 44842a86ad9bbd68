#pragma once

#include <QByteArray>
#include <QtEndian>
#include <vector>

namespace midi::detail {

namespace riff {
inline quint16 u16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
inline quint32 u32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
inline void put16(QByteArray& bytes, qsizetype at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}
inline void put32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}
inline QByteArray record(const QByteArray& records, int size, int index) {
    return records.mid(qsizetype(index) * size, size);
}
inline int count(const QByteArray& records, int size) {
    return int(records.size() / size);
}
}  // namespace riff

// One level of a sound font's hydra: presets or instruments, each with bags of generators and
// modulators, every array ending with its terminal record. A link generator names an entry of
// the level below (an instrument, a sample).
struct HydraLevel {
    static constexpr int kBagSize = 4, kModSize = 10, kGenSize = 4;

    QByteArray headers, bags, mods, gens;
    int headerSize = 0, bagAt = 0;
    quint16 linkGen = 0;

    int entries() const { return riff::count(headers, headerSize) - 1; }  // no terminal
    int bag(int entry) const { return riff::u16(headers, qsizetype(entry) * headerSize + bagAt); }
    int gen(int bag) const { return riff::u16(bags, qsizetype(bag) * kBagSize); }
    int mod(int bag) const { return riff::u16(bags, qsizetype(bag) * kBagSize + 2); }

    // Whole records, a terminal in each array.
    bool sized() const;
    // Every index ascends and stays inside the records it points into; below is the number of
    // entries of the level below.
    bool consistent(int below) const;
    // Which entries of the level below the kept entries link to.
    std::vector<bool> linked(const std::vector<int>& kept, int below) const;
    // The kept entries with their bags, generators and modulators, renumbered, links mapped by
    // renumber.
    HydraLevel subset(const std::vector<int>& kept, const std::vector<int>& renumber) const;
};

}  // namespace midi::detail
