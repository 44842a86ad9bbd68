#include "offlinerenderer.h"

#include "timedrenderer.h"

#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace midi {

namespace {

// Frames rendered per step.
constexpr int kBlockFrames = 64;
constexpr int kChannels = 2;

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
    const std::uint32_t bytesPerFrame = kChannels * sizeof(std::int16_t);
    header.append("RIFF", 4);
    put32(36 + dataBytes);
    header.append("WAVEfmt ", 8);
    put32(16);
    put16(1);  // PCM
    put16(kChannels);
    put32(OfflineRenderer::kSampleRate);
    put32(OfflineRenderer::kSampleRate * bytesPerFrame);
    put16(static_cast<std::uint16_t>(bytesPerFrame));
    put16(16);
    header.append("data", 4);
    put32(dataBytes);
    return header;
}

}  // namespace

bool OfflineRenderer::renderToBuffer(const QList<TimedMessage>& messages, double lengthSeconds,
                                     std::vector<std::int16_t>* samples, QString* error) {
    if (!samples) return false;
    samples->clear();
    detail::TimedRenderer renderer(kSampleRate);
    if (renderer.create(error) != kNoError) return false;
    for (const TimedMessage& m : messages)
        renderer.schedule(detail::TimedRenderer::frameOf(m.seconds),
                          detail::SynthEvent::shortMessage(m.message));
    const auto frames = static_cast<qint64>(std::llround(
        std::max(0.0, std::isfinite(lengthSeconds) ? lengthSeconds : 0.0) * kSampleRate));
    samples->resize(static_cast<size_t>(frames * kChannels));

    for (qint64 frame = 0; frame < frames; frame += kBlockFrames) {
        const int count = static_cast<int>(std::min<qint64>(kBlockFrames, frames - frame));
        renderer.renderS16(samples->data() + frame * kChannels, count);
    }
    return true;
}

bool OfflineRenderer::renderToWav(const QList<TimedMessage>& messages, double lengthSeconds,
                                  const QString& path, QString* error) {
    std::vector<std::int16_t> samples;
    if (!renderToBuffer(messages, lengthSeconds, &samples, error)) return false;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * sizeof(std::int16_t));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    file.write(wavHeader(dataBytes));
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN)
        for (std::int16_t& sample : samples) sample = qToLittleEndian(sample);
    file.write(reinterpret_cast<const char*>(samples.data()), dataBytes);
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace midi
