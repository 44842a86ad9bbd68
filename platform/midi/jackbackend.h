#pragma once

#include "midibackend.h"

namespace midi::detail {

// The MIDI output port of the program's JACK client, one output device named after the
// port ("Beatloft:midi_out"). Listed only while a JACK server runs; every message leaves
// at the frame of the time MessageClock gives it.
class JackBackend : public MidiBackend {
public:
    QList<PortInfo> outputs() override;
    QList<PortInfo> inputs() override { return {}; }
    Result openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) override;
    bool placesByTime(const QString&) const override { return true; }
    void withdraw(const QString&, std::chrono::steady_clock::time_point after) override;
    Result openInput(const QString&, const std::shared_ptr<InputSink>&,
                     std::unique_ptr<InputConnection>*) override {
        return kBadDeviceId;
    }
};

}  // namespace midi::detail
