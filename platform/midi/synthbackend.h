#pragma once

#include "midibackend.h"

namespace midi::detail {

// The built-in General MIDI synthesizer: one output device, "Beatloft GM Synth", playing
// through FluidSynth. It opens wherever a sound font is found, with or without sound
// hardware.
class SynthBackend : public MidiBackend {
public:
    static const char* productName() { return "Beatloft GM Synth"; }

    QList<PortInfo> outputs() override;
    QList<PortInfo> inputs() override { return {}; }
    Result openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) override;
    // Loads the sound font and starts the audio stream.
    void prepareOutput(const QString& key) override;
    // What is sent is kept from now on until the engine has started.
    void expectOutput(const QString& key) override;
    bool placesByTime(const QString&) const override { return true; }
    void withdraw(const QString& key, std::chrono::steady_clock::time_point after) override;
    Result openInput(const QString&, const std::shared_ptr<InputSink>&,
                     std::unique_ptr<InputConnection>*) override {
        return kBadDeviceId;
    }
};

}  // namespace midi::detail
