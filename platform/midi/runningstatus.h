#pragma once

#include <array>
#include <cstdint>

namespace midi::detail {

// Unpacks packed short messages (status in bits 0-7, data 1 in bits 8-15, data 2 in
// bits 16-23) into the bytes a device receives, applying running status: a message whose
// first byte is a data byte reuses the last channel status.
class RunningStatus {
public:
    struct Bytes {
        std::array<std::uint8_t, 3> data{};
        int length = 0;  // 0: nothing to send
        std::uint8_t status() const { return data[0]; }
    };

    Bytes unpack(std::uint32_t message);
    void clear() { status_ = 0; }

private:
    std::uint8_t status_ = 0;
};

// Bytes a message with this status byte has, the status included (0 for 0xF0 and 0xF7,
// which belong to long messages).
int shortMessageLength(std::uint8_t status);

}  // namespace midi::detail
