#pragma once

#include <cstdint>

namespace midi {

// A short message packed as the device services take it: status in the low byte, then the
// two data bytes.
constexpr std::uint32_t shortMessage(int status, int data1, int data2) {
    return std::uint32_t(status & 0xFF) | std::uint32_t(data1 & 0xFF) << 8 |
           std::uint32_t(data2 & 0xFF) << 16;
}

// Note on of a drum note: channel 10 is 9 counted from 0.
constexpr int kDrumChannel = 9;
constexpr std::uint32_t drumNoteOn(int note, int velocity) {
    return shortMessage(0x90 | kDrumChannel, note, velocity);
}

}  // namespace midi
