#pragma once

#include "midibackend.h"

namespace midi::detail {

// The ports of the ALSA sequencer, through RtMidi's ALSA API (never its JACK API, which
// crashes where no JACK server runs): writable ports as outputs, readable ports as
// inputs, each named and found again by its port name; the ports of this process are
// left out. Without an ALSA sequencer (no /dev/snd) there are no ports and nothing is
// printed.
class AlsaBackend : public MidiBackend {
public:
    QList<PortInfo> outputs() override;
    QList<PortInfo> inputs() override;
    Result openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) override;
    Result openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                     std::unique_ptr<InputConnection>* connection) override;
};

}  // namespace midi::detail
