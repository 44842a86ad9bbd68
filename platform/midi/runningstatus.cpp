#include "runningstatus.h"

namespace midi::detail {

int shortMessageLength(std::uint8_t status) {
    if (status < 0x80) return 0;
    if (status < 0xC0) return 3;
    if (status < 0xE0) return 2;
    if (status < 0xF0) return 3;
    switch (status) {
        case 0xF0:
        case 0xF7:
            return 0;
        case 0xF1:
        case 0xF3:
            return 2;
        case 0xF2:
            return 3;
        default:
            return 1;
    }
}

RunningStatus::Bytes RunningStatus::unpack(std::uint32_t message) {
    Bytes bytes;
    const auto first = static_cast<std::uint8_t>(message & 0xFF);
    if (first < 0x80) {
        if (status_ == 0) return bytes;
        bytes.data = {status_, first, static_cast<std::uint8_t>((message >> 8) & 0xFF)};
    } else {
        bytes.data = {first, static_cast<std::uint8_t>((message >> 8) & 0xFF),
                      static_cast<std::uint8_t>((message >> 16) & 0xFF)};
        if (first < 0xF0)
            status_ = first;
        else if (first < 0xF8)
            status_ = 0;  // system common messages cancel running status, real-time ones do not
    }
    bytes.length = shortMessageLength(bytes.data[0]);
    return bytes;
}

}  // namespace midi::detail
