#pragma once

#include "midibackend.h"

namespace midi::detail {

// The ports of the ALSA sequencer (AlsaSequencer). RtMidi and libasound, with the JACK
// library RtMidi brings, come in a module loaded once the system shows a sequencer device:
// without one there are no ports, and none of them is loaded.
class AlsaBackend : public MidiBackend {
public:
    QList<PortInfo> outputs() override;
    QList<PortInfo> inputs() override;
    Result openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) override;
    Result openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                     std::unique_ptr<InputConnection>* connection) override;
};

}  // namespace midi::detail
