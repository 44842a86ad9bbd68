#pragma once

#include "midiheader.h"

#include <QEvent>
#include <cstdint>

namespace midi {

// A report of an opened input device, posted to the notification target given at open,
// so it is handled on that object's thread.
class InputNotification : public QEvent {
public:
    enum Kind { Opened, Closed, Data, MoreData, LongData, Error, LongError };

    InputNotification(Kind kind, std::uint32_t message, std::uint32_t timestampMs,
                      MidiHeader* header = nullptr)
        : QEvent(eventType()),
          kind_(kind),
          message_(message),
          timestamp_(timestampMs),
          header_(header) {}

    static QEvent::Type eventType();  // registered once per process

    Kind kind() const { return kind_; }
    // Data/MoreData/Error: the packed short message (status in bits 0-7).
    std::uint32_t message() const { return message_; }
    // Milliseconds since the input was started.
    std::uint32_t timestampMs() const { return timestamp_; }
    // LongData/LongError: the returned buffer, bytesRecorded set, kInQueue cleared.
    MidiHeader* header() const { return header_; }

private:
    Kind kind_;
    std::uint32_t message_;
    std::uint32_t timestamp_;
    MidiHeader* header_;
};

}  // namespace midi
