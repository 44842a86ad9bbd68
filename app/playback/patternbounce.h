#pragma once

#include "midi/offlinerenderer.h"

#include <QList>
#include <optional>

class Form1;

// The pattern on screen as timed MIDI messages: step k of the loop at exactly
// k x 60 / (tempo x steps per beat) seconds, each set cell as the note-on and velocity-0
// pair playback sends, for rendering it offline.
class PatternBounce {
public:
    struct Take {
        QList<midi::TimedMessage> messages;
        double seconds = 0;  // the loops plus one second of tail
    };
    static constexpr double kTailSeconds = 1.0;

    // None when tempo or steps per beat give no step length.
    static std::optional<Take> of(const Form1& form, int loops);
};
