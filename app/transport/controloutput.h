#pragma once

#include "shared/drumoutput.h"

#include <QtGlobal>
#include <optional>

class Form1;

// Drum notes through the window's MIDI output control, reached only by dispatch as any
// container would reach it.
class ControlOutput : public DrumOutput {
public:
    static constexpr qint16 kStartDevice = 8;

    explicit ControlOutput(Form1& form) : form_(form) {}

    // Start-up: the MIDI output is made and goes to device 8, which lands on the last device
    // when fewer exist (the built-in synthesizer).
    void selectStartDevice();
    void PlayDrumNote(int note, int level) override;
    void sendRealTime(int status) override;
    bool placesByTime() const override;
    void withdraw(std::chrono::steady_clock::time_point after) override;

private:
    void createMidiOutput();
    void send(int channel, int status, int message, int value);
    // The device the control has open, by its number.
    std::optional<unsigned> deviceId() const;

    Form1& form_;
};
