#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace midi::detail {

// Whether the voices of a channel's key belong to an exclusive class of the sound font (a
// closed hi-hat cuts the open one), learnt from the notes played. A program or bank change
// forgets what was learnt for its channel.
class ExclusiveKeys {
public:
    enum class Known : std::uint8_t { Unknown, No, Yes };

    void learn(int channel, int key, bool exclusive) {
        keys_[channelOf(channel)][keyOf(key)] = exclusive ? Known::Yes : Known::No;
    }
    Known of(int channel, int key) const { return keys_[channelOf(channel)][keyOf(key)]; }
    void forget(int channel) { keys_[channelOf(channel)].fill(Known::Unknown); }
    void forgetAll() {
        for (auto& channel : keys_) channel.fill(Known::Unknown);
    }

private:
    static size_t channelOf(int channel) { return size_t(channel & 0x0F); }
    static size_t keyOf(int key) { return size_t(key & 0x7F); }

    std::array<std::array<Known, 128>, 16> keys_{};
};

}  // namespace midi::detail
