#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

namespace midi::detail {

// The presets of a sound font a synthesizer can be made to play by a known sequence of short
// messages, from a reset on: program 0 of bank 0 and of the drum bank 128 (what a reset and
// FluidSynth's fallbacks choose), and every program a program change names, in those banks,
// or in any bank once a bank select is sent. A default selection includes every preset.
class PresetSelection {
public:
    PresetSelection() = default;
    // Packed short messages as RunningStatus takes them.
    static PresetSelection of(const std::vector<std::uint32_t>& messages);

    bool isEverything() const { return everything_; }
    bool includes(int bank, int program) const;

private:
    bool everything_ = true;
    bool anyBank_ = false;
    std::bitset<128> programs_;
};

}  // namespace midi::detail
