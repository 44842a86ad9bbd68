#include "soundfontsubset.h"

#include "hydralevel.h"

#include <algorithm>

namespace midi::detail {

using namespace riff;

namespace {

constexpr int kPresetSize = 38, kInstrumentSize = 22, kSampleSize = 46;
constexpr quint16 kInstrumentGen = 41, kSampleGen = 53;
constexpr quint32 kGuardPoints = 46;  // zero points a sample is followed by in the file
constexpr quint16 kLinkedTypes = 0x2 | 0x4 | 0x8, kUnreadTypes = 0x10 | 0x8000;  // SF3, ROM
constexpr qint64 kLargestHydra = 64 << 20;

QByteArray chunk(const char* id, const QByteArray& data) {
    QByteArray out(id, 4);
    out.append(4, '\0');
    put32(out, 4, quint32(data.size()));
    out.append(data);
    if (data.size() % 2) out.append('\0');
    return out;
}

QByteArray list(const char* type, const QByteArray& chunks) {
    return chunk("LIST", QByteArray(type, 4) + chunks);
}

QByteArray hydraChunks(const HydraLevel& presets, const HydraLevel& instruments,
                       const QByteArray& samples) {
    return chunk("phdr", presets.headers) + chunk("pbag", presets.bags) +
           chunk("pmod", presets.mods) + chunk("pgen", presets.gens) +
           chunk("inst", instruments.headers) + chunk("ibag", instruments.bags) +
           chunk("imod", instruments.mods) + chunk("igen", instruments.gens) +
           chunk("shdr", samples);
}

// Indices of the set entries, and the new index of each old one (-1 when left out).
std::vector<int> keptOf(const std::vector<bool>& used, std::vector<int>* renumber) {
    std::vector<int> kept;
    renumber->assign(used.size(), -1);
    for (size_t i = 0; i < used.size(); ++i)
        if (used[i]) {
            (*renumber)[i] = int(kept.size());
            kept.push_back(int(i));
        }
    return kept;
}

// A stereo sample's partner comes with it.
void addPartners(const QByteArray& samples, std::vector<bool>* used) {
    for (bool added = true; added;) {
        added = false;
        for (size_t s = 0; s < used->size(); ++s) {
            const qsizetype at = qsizetype(s) * kSampleSize;
            const quint16 link = u16(samples, at + 42);
            if ((*used)[s] && (u16(samples, at + 44) & kLinkedTypes) && link < used->size() &&
                !(*used)[link])
                added = (*used)[link] = true;
        }
    }
}

}  // namespace

QByteArray SoundFontSubset::build(const QString& path, const PresetSelection& selection) {
    return SoundFontSubset(path).build(selection);
}

QByteArray SoundFontSubset::read(const Span& span, qint64 from, qint64 size) {
    if (size < 0) size = span.size;
    if (span.offset < 0 || from < 0 || from + size > span.size || !file_.seek(span.offset + from))
        return {};
    return file_.read(size);
}

bool SoundFontSubset::readChunks(qint64 begin, qint64 end, std::map<QByteArray, Span>* chunks) {
    for (qint64 at = begin; at + 8 <= end;) {
        if (!file_.seek(at)) return false;
        const QByteArray head = file_.read(8);
        if (head.size() != 8) return false;
        const Span span{at + 8, u32(head, 4)};
        if (span.offset + span.size > end) return false;
        (*chunks)[head.left(4)] = span;
        at = span.offset + span.size + (span.size % 2);
    }
    return true;
}

// The file is RIFF "sfbk" with three lists: INFO, sdta (the sample points) and pdta (the
// hydra of presets, instruments and sample headers).
bool SoundFontSubset::readLayout() {
    if (!file_.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file_.read(12);
    if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8) != "sfbk") return false;
    const qint64 end = std::min<qint64>(file_.size(), 8 + qint64(u32(head, 4)));
    std::map<QByteArray, Span> lists, samples;
    for (qint64 at = 12; at + 12 <= end;) {
        if (!file_.seek(at)) return false;
        const QByteArray listHead = file_.read(12);
        if (listHead.size() != 12) return false;
        const Span body{at + 12, qint64(u32(listHead, 4)) - 4};
        if (!listHead.startsWith("LIST") || body.size < 0 || body.offset + body.size > end)
            return false;
        lists[listHead.mid(8, 4)] = body;
        at = body.offset + body.size + (body.size % 2);
    }
    if (!lists.count("INFO") || !lists.count("sdta") || !lists.count("pdta") ||
        lists["pdta"].size > kLargestHydra ||
        !readChunks(lists["sdta"].offset, lists["sdta"].offset + lists["sdta"].size, &samples) ||
        !readChunks(lists["pdta"].offset, lists["pdta"].offset + lists["pdta"].size, &hydra_) ||
        !samples.count("smpl"))
        return false;
    info_ = read(lists["INFO"], 0, -1);
    smpl_ = samples["smpl"];
    if (samples.count("sm24") && samples["sm24"].size >= smpl_.size / 2) sm24_ = samples["sm24"];
    return info_.size() == lists["INFO"].size;
}

// Each kept sample's points from its start to the guard points after its end; its loop moves
// with them.
bool SoundFontSubset::copySamples(const std::vector<int>& kept, const std::vector<int>& renumber) {
    const QByteArray all = samples_;
    samples_.clear();
    const qint64 points = smpl_.size / 2;
    for (int s : kept) {
        QByteArray header = record(all, kSampleSize, s);
        const quint32 start = u32(header, 20), end = u32(header, 24);
        if ((u16(header, 44) & kUnreadTypes) || start > end || end > points) return false;
        const qint64 copied = std::min<qint64>(qint64(end) + kGuardPoints, points) - start;
        const qint64 shift = smplOut_.size() / 2 - qint64(start);
        const QByteArray data = read(smpl_, qint64(start) * 2, copied * 2);
        if (data.size() != copied * 2) return false;
        smplOut_.append(data);
        if (sm24_.offset >= 0) sm24Out_.append(read(sm24_, start, copied));
        for (int field : {20, 24, 28, 32})
            put32(header, field,
                  quint32(std::clamp<qint64>(qint64(u32(header, field)) + shift, 0, 0xFFFFFFFF)));
        const quint16 link = u16(header, 42);
        put16(header, 42,
              quint16(link < renumber.size() && renumber[link] >= 0 ? renumber[link] : 0));
        samples_.append(header);
    }
    samples_.append(record(all, kSampleSize, count(all, kSampleSize) - 1));
    if (sm24Out_.size() != smplOut_.size() / 2) sm24Out_.clear();
    return true;
}

QByteArray SoundFontSubset::build(const PresetSelection& selection) {
    if (!readLayout()) return {};
    const HydraLevel presets{hydra("phdr"), hydra("pbag"), hydra("pmod"),
                             hydra("pgen"), kPresetSize,   24,
                             kInstrumentGen};
    const HydraLevel instruments{hydra("inst"), hydra("ibag"),   hydra("imod"),
                                 hydra("igen"), kInstrumentSize, 20,
                                 kSampleGen};
    samples_ = hydra("shdr");
    const int sampleCount = count(samples_, kSampleSize) - 1;
    if (samples_.size() % kSampleSize || sampleCount < 0 || !instruments.sized() ||
        !presets.consistent(instruments.entries()) || !instruments.consistent(sampleCount))
        return {};
    std::vector<int> keptPresets, instrumentNumber, sampleNumber;
    for (int p = 0; p < presets.entries(); ++p) {
        const qsizetype at = qsizetype(p) * kPresetSize;
        if (selection.includes(u16(presets.headers, at + 22), u16(presets.headers, at + 20)))
            keptPresets.push_back(p);
    }
    const std::vector<int> keptInstruments =
        keptOf(presets.linked(keptPresets, instruments.entries()), &instrumentNumber);
    std::vector<bool> usedSamples = instruments.linked(keptInstruments, sampleCount);
    addPartners(samples_, &usedSamples);
    if (!copySamples(keptOf(usedSamples, &sampleNumber), sampleNumber)) return {};

    QByteArray sampleData = chunk("smpl", smplOut_);
    if (!sm24Out_.isEmpty()) sampleData += chunk("sm24", sm24Out_);
    const QByteArray pdta =
        hydraChunks(presets.subset(keptPresets, instrumentNumber),
                    instruments.subset(keptInstruments, sampleNumber), samples_);
    return chunk("RIFF", QByteArray("sfbk") + list("INFO", info_) + list("sdta", sampleData) +
                             list("pdta", pdta));
}

}  // namespace midi::detail
