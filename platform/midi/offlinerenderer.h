#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

namespace midi {

struct TimedMessage {
    double seconds = 0;           // when the message is sent, from the start
    std::uint32_t message = 0;    // packed short message
};

// Renders timed short messages through the built-in synthesizer, faster than real time.
// Output: 44.1 kHz, 16-bit, stereo, interleaved.
class OfflineRenderer {
public:
    static constexpr int kSampleRate = 44100;

    // messages need not be sorted. False (with a reason in error) when no sound font is found.
    static bool renderToBuffer(const QList<TimedMessage>& messages, double lengthSeconds,
                               std::vector<std::int16_t>* samples, QString* error = nullptr);
    // Written through a temporary file, so a failed render leaves no half file.
    static bool renderToWav(const QList<TimedMessage>& messages, double lengthSeconds,
                            const QString& path, QString* error = nullptr);
};

}  // namespace midi
