#include "hydralevel.h"

namespace midi::detail {

using namespace riff;

bool HydraLevel::sized() const {
    return headerSize > 0 && headers.size() % headerSize == 0 && bags.size() % kBagSize == 0 &&
           mods.size() % kModSize == 0 && gens.size() % kGenSize == 0 && entries() >= 1 &&
           count(bags, kBagSize) >= 1 && count(mods, kModSize) >= 1 && count(gens, kGenSize) >= 1;
}

bool HydraLevel::consistent(int below) const {
    if (!sized()) return false;
    const int bagCount = count(bags, kBagSize) - 1;
    for (int e = 0; e < entries(); ++e)
        if (bag(e) > bag(e + 1)) return false;
    if (bag(entries()) > bagCount) return false;
    for (int b = 0; b < bagCount; ++b)
        if (gen(b) > gen(b + 1) || mod(b) > mod(b + 1)) return false;
    if (gen(bagCount) > count(gens, kGenSize) - 1 || mod(bagCount) > count(mods, kModSize) - 1)
        return false;
    for (int g = 0; g < count(gens, kGenSize) - 1; ++g)
        if (u16(gens, qsizetype(g) * kGenSize) == linkGen &&
            u16(gens, qsizetype(g) * kGenSize + 2) >= below)
            return false;
    return true;
}

std::vector<bool> HydraLevel::linked(const std::vector<int>& kept, int below) const {
    std::vector<bool> used(size_t(below), false);
    for (int e : kept)
        for (int g = gen(bag(e)); g < gen(bag(e + 1)); ++g)
            if (u16(gens, qsizetype(g) * kGenSize) == linkGen)
                used[u16(gens, qsizetype(g) * kGenSize + 2)] = true;
    return used;
}

HydraLevel HydraLevel::subset(const std::vector<int>& kept,
                              const std::vector<int>& renumber) const {
    HydraLevel out{{}, {}, {}, {}, headerSize, bagAt, linkGen};
    QByteArray bagRecord(kBagSize, '\0');
    const auto startBag = [&out, &bagRecord] {
        put16(bagRecord, 0, quint16(count(out.gens, kGenSize)));
        put16(bagRecord, 2, quint16(count(out.mods, kModSize)));
        out.bags.append(bagRecord);
    };
    for (int e : kept) {
        QByteArray header = record(headers, headerSize, e);
        put16(header, bagAt, quint16(count(out.bags, kBagSize)));
        out.headers.append(header);
        for (int b = bag(e); b < bag(e + 1); ++b) {
            startBag();
            out.mods.append(
                mods.mid(qsizetype(mod(b)) * kModSize, qsizetype(mod(b + 1) - mod(b)) * kModSize));
            for (int g = gen(b); g < gen(b + 1); ++g) {
                QByteArray generator = record(gens, kGenSize, g);
                if (u16(generator, 0) == linkGen)
                    put16(generator, 2, quint16(renumber[u16(generator, 2)]));
                out.gens.append(generator);
            }
        }
    }
    QByteArray terminal = record(headers, headerSize, entries());
    put16(terminal, bagAt, quint16(count(out.bags, kBagSize)));
    out.headers.append(terminal);
    startBag();
    out.mods.append(record(mods, kModSize, count(mods, kModSize) - 1));
    out.gens.append(record(gens, kGenSize, count(gens, kGenSize) - 1));
    return out;
}

}  // namespace midi::detail
