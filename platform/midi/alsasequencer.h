#pragma once

#include "midibackend.h"

#include <QtGlobal>

namespace midi::detail {

// The ports of the ALSA sequencer, through RtMidi's ALSA API (never its JACK API, which
// crashes where no JACK server runs): writable ports as outputs, readable ports as
// inputs, each named and found again by its port name; the ports of this process are
// left out. Without an ALSA sequencer (no /dev/snd) there are no ports and nothing is
// printed. Built as a module of its own with RtMidi and libasound (see AlsaBackend).
class AlsaSequencer : public MidiBackend {
public:
    QList<PortInfo> outputs() override;
    QList<PortInfo> inputs() override;
    Result openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) override;
    Result openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                     std::unique_ptr<InputConnection>* connection) override;
};

}  // namespace midi::detail

// The module's entry: the process's one sequencer backend.
extern "C" Q_DECL_EXPORT midi::detail::MidiBackend* beatloftAlsaSequencer();
