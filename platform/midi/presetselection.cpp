#include "presetselection.h"

#include "runningstatus.h"

namespace midi::detail {

namespace {

constexpr int kDrumBank = 128;
constexpr int kBankSelect = 0x00;
constexpr int kBankSelectLow = 0x20;

}  // namespace

PresetSelection PresetSelection::of(const std::vector<std::uint32_t>& messages) {
    PresetSelection selection;
    selection.everything_ = false;
    selection.programs_.set(0);
    RunningStatus running;
    for (std::uint32_t message : messages) {
        const RunningStatus::Bytes bytes = running.unpack(message);
        if (bytes.length < 2) continue;
        const int kind = bytes.status() & 0xF0;
        if (kind == 0xC0) selection.programs_.set(bytes.data[1] & 0x7F);
        if (kind == 0xB0 && (bytes.data[1] == kBankSelect || bytes.data[1] == kBankSelectLow))
            selection.anyBank_ = true;
    }
    return selection;
}

bool PresetSelection::includes(int bank, int program) const {
    if (everything_) return true;
    if (program < 0 || program >= int(programs_.size()) || !programs_.test(size_t(program)))
        return false;
    return anyBank_ || bank == 0 || bank == kDrumBank;
}

}  // namespace midi::detail
