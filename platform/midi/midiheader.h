#pragma once

#include <cstdint>

namespace midi {

// Describes a block of bytes lent to a device: a system-exclusive block to send, or an
// input buffer to fill. The caller owns header and buffer until the device sets kDone.
struct MidiHeader {
    static constexpr std::uint32_t kDone = 0x1;      // the device has finished with the block
    static constexpr std::uint32_t kPrepared = 0x2;  // prepared for a device
    static constexpr std::uint32_t kInQueue = 0x4;   // lent to an input device

    char* data = nullptr;
    std::uint32_t bufferLength = 0;
    std::uint32_t bytesRecorded = 0;  // input: bytes received into data
    std::uint32_t flags = 0;
};

}  // namespace midi
