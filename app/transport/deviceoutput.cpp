#include "deviceoutput.h"

#include "midi/shortmessage.h"

#include <algorithm>

DeviceOutput::DeviceOutput() {
    midi::MidiServices& services = midi::MidiServices::instance();
    const unsigned count = services.outputCount();
    if (count == 0) return;
    const unsigned id = std::min(kStartDevice, count - 1);
    midi::OutputHandle handle = 0;
    if (services.openOutput(id, &handle) != midi::kNoError) return;
    handle_ = handle;
    id_ = id;
    placesByTime_ = services.outputPlacesByTime(id);
}

DeviceOutput::~DeviceOutput() {
    if (handle_) midi::MidiServices::instance().closeOutput(handle_);
}

void DeviceOutput::PlayDrumNote(int note, int level) {
    if (!handle_) return;
    midi::MidiServices& services = midi::MidiServices::instance();
    services.shortMessage(handle_, midi::drumNoteOn(note, level * kVelocityPerLevel));
    services.shortMessage(handle_, midi::drumNoteOn(note, 0));
}

void DeviceOutput::withdraw(std::chrono::steady_clock::time_point after) {
    if (handle_) midi::MidiServices::instance().withdrawOutput(id_, after);
}

void DeviceOutput::sendRealTime(int status) {
    if (handle_) midi::MidiServices::instance().shortMessage(handle_, std::uint32_t(status & 0xFF));
}
