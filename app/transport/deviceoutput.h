#pragma once

#include "midi/midiservices.h"
#include "shared/drumoutput.h"

// Drum notes straight to a MIDI output device, for playing without a window. Opens the
// device the window starts with: device 8, or the last one when fewer exist.
class DeviceOutput : public DrumOutput {
public:
    static constexpr unsigned kStartDevice = 8;

    DeviceOutput();
    ~DeviceOutput() override;
    DeviceOutput(const DeviceOutput&) = delete;
    DeviceOutput& operator=(const DeviceOutput&) = delete;

    bool isOpen() const { return handle_ != 0; }
    void PlayDrumNote(int note, int level) override;
    void sendRealTime(int status) override;
    bool placesByTime() const override { return placesByTime_; }
    void withdraw(std::chrono::steady_clock::time_point after) override;

private:
    midi::OutputHandle handle_ = 0;
    unsigned id_ = 0;
    bool placesByTime_ = false;
};
