#pragma once

#include "midi/offlinerenderer.h"

#include <QList>
#include <optional>

class Pattern;

// A pattern as timed MIDI messages: step k of the loop at exactly
// k x 60 / (tempo x steps per beat) seconds, each set cell as the note-on and velocity-0
// pair playback sends, for rendering it offline.
class PatternBounce {
public:
    struct Take {
        QList<midi::TimedMessage> messages;
        double seconds = 0;            // the loops plus one second of tail
        bool tooManyMessages = false;  // refused: more than kMaxMessages
    };
    static constexpr double kTailSeconds = 1.0;
    // The most messages a take holds (64 MiB of them); more are refused before any is made.
    static constexpr qsizetype kMaxMessages = 4 * 1024 * 1024;

    // None when tempo or steps per beat give no step length. A take too long for a WAV file
    // or with too many messages comes back empty, with its length or the refusal.
    static std::optional<Take> of(const Pattern& pattern, int loops);
    // Whether a take of this length and this many messages can be made.
    static bool admits(Take* take, double messages);
};
