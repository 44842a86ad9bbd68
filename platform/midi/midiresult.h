#pragma once

#include <cstdint>

namespace midi {

// Result codes of the MIDI services, with the values callers and controls pass on.
using Result = std::uint32_t;

inline constexpr Result kNoError = 0;
inline constexpr Result kError = 1;
inline constexpr Result kBadDeviceId = 2;
inline constexpr Result kAllocated = 4;
inline constexpr Result kInvalidHandle = 5;
inline constexpr Result kNoMemory = 7;
inline constexpr Result kInvalidParam = 11;
inline constexpr Result kUnprepared = 64;
inline constexpr Result kStillPlaying = 65;

}  // namespace midi
