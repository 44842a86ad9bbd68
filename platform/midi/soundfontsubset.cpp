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
constexpr qint64 kLargestHydra = 64 << 20, kLargestInfo = 1 << 20;

// Starts a chunk in out; its size is written by closeChunk().
qsizetype openChunk(QByteArray& out, const char* id) {
    const qsizetype at = out.size();
    out.append(id, 4).append(4, '\0');
    return at;
}

void closeChunk(QByteArray& out, qsizetype at) {
    put32(out, at + 4, quint32(out.size() - at - 8));
    if (out.size() % 2) out.append('\0');
}

void addChunk(QByteArray& out, const char* id, const QByteArray& data) {
    const qsizetype at = openChunk(out, id);
    out.append(data);
    closeChunk(out, at);
}

void addHydra(QByteArray& out, const HydraLevel& p, const HydraLevel& i,
              const QByteArray& samples) {
    const qsizetype list = openChunk(out, "LIST");
    out.append("pdta", 4);
    const std::pair<const char*, const QByteArray*> chunks[] = {
        {"phdr", &p.headers}, {"pbag", &p.bags},    {"pmod", &p.mods},
        {"pgen", &p.gens},    {"inst", &i.headers}, {"ibag", &i.bags},
        {"imod", &i.mods},    {"igen", &i.gens},    {"shdr", &samples}};
    for (const auto& [id, records] : chunks) addChunk(out, id, *records);
    closeChunk(out, list);
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

// A stereo sample's partner comes with it, and its partner's partner: each sample is looked
// at once, so a long chain of links costs no more than the samples it holds.
void addPartners(const QByteArray& samples, std::vector<bool>* used) {
    std::vector<size_t> waiting;
    for (size_t s = 0; s < used->size(); ++s)
        if ((*used)[s]) waiting.push_back(s);
    while (!waiting.empty()) {
        const qsizetype at = qsizetype(waiting.back()) * kSampleSize;
        waiting.pop_back();
        const quint16 link = u16(samples, at + 42);
        if ((u16(samples, at + 44) & kLinkedTypes) && link < used->size() && !(*used)[link]) {
            (*used)[link] = true;
            waiting.push_back(link);
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
        lists["pdta"].size > kLargestHydra || lists["INFO"].size > kLargestInfo ||
        !readChunks(lists["sdta"].offset, lists["sdta"].offset + lists["sdta"].size, &samples) ||
        !readChunks(lists["pdta"].offset, lists["pdta"].offset + lists["pdta"].size, &hydra_) ||
        !samples.count("smpl"))
        return false;
    info_ = read(lists["INFO"], 0, -1);
    hydraBytes_ = lists["pdta"].size;  // the cut hydra is never larger
    smpl_ = samples["smpl"];
    if (samples.count("sm24") && samples["sm24"].size >= smpl_.size / 2) sm24_ = samples["sm24"];
    return info_.size() == lists["INFO"].size;
}

qint64 SoundFontSubset::copiedPoints(int sample) const {
    const qsizetype at = qsizetype(sample) * kSampleSize;
    const qint64 start = u32(samples_, at + 20), end = u32(samples_, at + 24),
                 points = smpl_.size / 2;
    if ((u16(samples_, at + 44) & kUnreadTypes) || start > end || end > points) return -1;
    return std::min(end + kGuardPoints, points) - start;
}

// Each kept sample's points from its start to the guard points after its end; its loop moves
// with them.
bool SoundFontSubset::copySamples(const std::vector<int>& kept, const std::vector<int>& renumber,
                                  QByteArray& out) {
    const qint64 first = out.size();
    for (int s : kept) {
        QByteArray header = record(samples_, kSampleSize, s);
        const qint64 start = u32(header, 20), copied = copiedPoints(s);
        const qint64 shift = (out.size() - first) / 2 - start;
        const qsizetype at = out.size();
        if (copied < 0 || !file_.seek(smpl_.offset + 2 * start)) return false;
        out.resize(at + 2 * copied);
        if (file_.read(out.data() + at, 2 * copied) != 2 * copied) return false;
        if (sm24_.offset >= 0) sm24Out_.append(read(sm24_, start, copied));
        for (int field : {20, 24, 28, 32})
            put32(header, field,
                  quint32(std::clamp<qint64>(qint64(u32(header, field)) + shift, 0, 0xFFFFFFFF)));
        const quint16 link = u16(header, 42);
        put16(header, 42,
              quint16(link < renumber.size() && renumber[link] >= 0 ? renumber[link] : 0));
        keptHeaders_.append(header);
    }
    keptHeaders_.append(record(samples_, kSampleSize, count(samples_, kSampleSize) - 1));
    if (sm24Out_.size() != (out.size() - first) / 2) sm24Out_.clear();
    return true;
}

QByteArray SoundFontSubset::build(const PresetSelection& selection) {
    if (!readLayout()) return {};
    const HydraLevel presets{.headers = hydra("phdr"),
                             .bags = hydra("pbag"),
                             .mods = hydra("pmod"),
                             .gens = hydra("pgen"),
                             .headerSize = kPresetSize,
                             .bagAt = 24,
                             .linkGen = kInstrumentGen};
    const HydraLevel instruments{.headers = hydra("inst"),
                                 .bags = hydra("ibag"),
                                 .mods = hydra("imod"),
                                 .gens = hydra("igen"),
                                 .headerSize = kInstrumentSize,
                                 .bagAt = 20,
                                 .linkGen = kSampleGen};
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
    const std::vector<int> keptSamples = keptOf(usedSamples, &sampleNumber);
    // Written into one buffer of its final size: the render's peak memory holds this font
    // and FluidSynth's copy of it, nothing more.
    QByteArray out;
    qint64 points = 0;
    for (int s : keptSamples) points += std::max<qint64>(0, copiedPoints(s));
    if (points > smpl_.size / 2) return {};  // samples sharing points: no smaller than the font
    const qint64 sm24 = sm24_.offset >= 0 ? points : 0;
    out.reserve(qsizetype(info_.size() + 2 * points + sm24 + hydraBytes_) + 256);
    const qsizetype riff = openChunk(out, "RIFF");
    out.append("sfbk", 4);
    const qsizetype info = openChunk(out, "LIST");
    closeChunk(out.append("INFO", 4).append(info_), info);
    const qsizetype sdta = openChunk(out, "LIST");
    const qsizetype smpl = openChunk(out.append("sdta", 4), "smpl");
    if (!copySamples(keptSamples, sampleNumber, out)) return {};
    closeChunk(out, smpl);
    if (!sm24Out_.isEmpty()) addChunk(out, "sm24", sm24Out_);
    closeChunk(out, sdta);
    addHydra(out, presets.subset(keptPresets, instrumentNumber),
             instruments.subset(keptInstruments, sampleNumber), keptHeaders_);
    closeChunk(out, riff);
    return out;
}

}  // namespace midi::detail
