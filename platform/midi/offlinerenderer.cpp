#include "offlinerenderer.h"

#include "timedrenderer.h"

#include "system/safefilewriter.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace midi {

namespace {

// Frames rendered per step: enough that the synthesizer renders many of its blocks at once
// between notes, few enough that a stop is heard at once.
constexpr int kBlockFrames = 4096;
constexpr int kChannels = 2;
constexpr int kBytesPerFrame = kChannels * sizeof(std::int16_t);
// A WAV file counts its bytes in 32 bits, the 36 bytes of its header included.
constexpr qint64 kMaxWavFrames = (qint64(0xFFFFFFFF) - 36) / kBytesPerFrame;

// The exact number of frames of a length, 0 for one that is not a finite number.
double framesOf(double lengthSeconds) {
    return std::isfinite(lengthSeconds)
               ? std::max(0.0, lengthSeconds) * OfflineRenderer::kSampleRate
               : 0.0;
}

QByteArray wavHeader(std::uint32_t dataBytes) {
    QByteArray header;
    const auto put32 = [&header](std::uint32_t value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        header.append(bytes, 4);
    };
    const auto put16 = [&header](std::uint16_t value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        header.append(bytes, 2);
    };
    header.append("RIFF", 4);
    put32(36 + dataBytes);
    header.append("WAVEfmt ", 8);
    put32(16);
    put16(1);  // PCM
    put16(kChannels);
    put32(OfflineRenderer::kSampleRate);
    put32(OfflineRenderer::kSampleRate * kBytesPerFrame);
    put16(static_cast<std::uint16_t>(kBytesPerFrame));
    put16(16);
    header.append("data", 4);
    put32(dataBytes);
    return header;
}

}  // namespace

bool OfflineRenderer::render(const QList<TimedMessage>& messages, std::int64_t frames,
                             const BlockSink& sink, QString* error) {
    detail::TimedRenderer renderer(kSampleRate, detail::TimedRenderer::Engines::OnDemand);
    std::vector<std::uint32_t> packed;
    packed.reserve(size_t(messages.size()));
    for (const TimedMessage& m : messages) packed.push_back(m.message);
    renderer.setPresets(detail::PresetSelection::of(packed));
    if (renderer.create(error) != kNoError) return false;
    for (const TimedMessage& m : messages)
        renderer.schedule(renderer.frameOf(m.seconds), detail::SynthEvent::shortMessage(m.message));
    std::int16_t block[kBlockFrames * kChannels];
    for (qint64 frame = 0; frame < frames; frame += kBlockFrames) {
        const int count = static_cast<int>(std::min<qint64>(kBlockFrames, frames - frame));
        renderer.renderS16(block, count);
        if (!sink(block, count)) return false;
    }
    return true;
}

bool OfflineRenderer::renderToBuffer(const QList<TimedMessage>& messages, double lengthSeconds,
                                     std::vector<std::int16_t>* samples, QString* error) {
    if (!samples) return false;
    samples->clear();
    const auto frames = static_cast<qint64>(std::llround(framesOf(lengthSeconds)));
    const auto sink = [samples](const std::int16_t* block, int count) {
        samples->insert(samples->end(), block, block + count * kChannels);
        return true;
    };
    samples->reserve(static_cast<size_t>(frames * kChannels));
    return render(messages, frames, sink, error);
}

bool OfflineRenderer::fitsWav(double lengthSeconds) {
    return std::isfinite(lengthSeconds) && std::round(framesOf(lengthSeconds)) <= kMaxWavFrames;
}

bool OfflineRenderer::renderToWav(const QList<TimedMessage>& messages, double lengthSeconds,
                                  const QString& path, QString* error,
                                  const std::function<bool()>& stop,
                                  const std::function<void(double)>& progress) {
    if (!fitsWav(lengthSeconds)) {
        if (error)
            *error = QStringLiteral(
                         "%1 Sekunden sind zu lang für eine WAV-Datei "
                         "(höchstens %2 Sekunden, 4 GiB)")
                         .arg(lengthSeconds)
                         .arg(std::floor(double(kMaxWavFrames) / kSampleRate));
        return false;
    }
    const auto frames = static_cast<qint64>(std::round(framesOf(lengthSeconds)));
    sys::SafeFileWriter file(path);
    qint64 written = 0;
    const auto sink = [&](const std::int16_t* block, int count) {
        if (stop && stop()) {
            file.cancel(QStringLiteral("abgebrochen"));
            return false;
        }
        std::int16_t little[kBlockFrames * kChannels];
        qToLittleEndian<std::int16_t>(block, count * kChannels, little);
        if (!file.write(reinterpret_cast<const char*>(little), count * kBytesPerFrame))
            return false;
        written += count;
        if (progress) progress(frames > 0 ? double(written) / double(frames) : 1.0);
        return true;
    };
    if (file.open() && file.write(wavHeader(std::uint32_t(frames * kBytesPerFrame))) &&
        render(messages, frames, sink, error) && file.commit())
        return true;
    if (error && !file.errorString().isEmpty()) *error = file.errorString();
    return false;
}

}  // namespace midi
