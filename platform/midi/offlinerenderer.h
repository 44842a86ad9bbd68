#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace midi {

struct TimedMessage {
    double seconds = 0;         // when the message is sent, from the start
    std::uint32_t message = 0;  // packed short message
};

// Renders timed short messages through the built-in synthesizer, faster than real time.
// Output: 44.1 kHz, 16-bit, stereo, interleaved.
class OfflineRenderer {
public:
    static constexpr int kSampleRate = 44100;
    // Whether a take of this length fits a WAV file (4 GiB of data).
    static bool fitsWav(double lengthSeconds);

    // messages need not be sorted. False (with a reason in error) when no sound font is found.
    static bool renderToBuffer(const QList<TimedMessage>& messages, double lengthSeconds,
                               std::vector<std::int16_t>* samples, QString* error = nullptr);
    // Streams the sound block by block through a temporary file, in constant memory, so a
    // failed render leaves the old file as it was. A length whose samples a WAV file
    // cannot hold (4 GiB) is refused before anything is rendered; the render stops,
    // writing nothing, as soon as stop answers true. progress hears the part written so far
    // (0..1) after every block.
    static bool renderToWav(const QList<TimedMessage>& messages, double lengthSeconds,
                            const QString& path, QString* error = nullptr,
                            const std::function<bool()>& stop = {},
                            const std::function<void(double)>& progress = {});

private:
    // Receives each rendered block; false ends the render.
    using BlockSink = std::function<bool(const std::int16_t* samples, int frames)>;
    static bool render(const QList<TimedMessage>& messages, std::int64_t frames,
                       const BlockSink& sink, QString* error);
};

}  // namespace midi
