#pragma once

#include "hosting/controlmodule.h"

#include <QUuid>

// The identity of the Tapcell library, fixed once and never changed.
namespace tapcell {

inline constexpr QUuid kLibraryId{0x8944f4a6, 0xb7c0, 0x4d02, 0x8a, 0x88, 0x20,
                                  0xf9,       0xf3,   0xf1,   0xf4, 0xa4};
inline constexpr QUuid kClsid{0x8d441435, 0x56cc, 0x4a08, 0xbe, 0xa2, 0xf8,
                              0xad,       0x22,   0x7c,   0xba, 0x3c};
inline constexpr QUuid kDispatchIid{0x95973ecd, 0xa68e, 0x4409, 0xa1, 0x11, 0x22,
                                    0xdd,       0x63,   0x1e,   0x55, 0x43};
inline constexpr QUuid kEventsIid{0xba9e3cd2, 0x45a2, 0x4885, 0xac, 0x9b, 0x31,
                                  0x04,       0x26,   0xb2,   0x85, 0x48};
inline constexpr char kProgId[] = "Tapcell.Tapcell.1";
inline constexpr char kTypeName[] = "Tapcell Control";

// The library's module, made when the library is loaded.
hosting::ControlModule& module();

}  // namespace tapcell
