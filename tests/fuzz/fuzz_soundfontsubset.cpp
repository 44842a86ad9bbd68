// Feeds arbitrary bytes to the sound font cutter as a font file chosen by the user would
// reach it. Checks that it ends, and that what it returns is a RIFF file no larger than the
// one it read plus the chunk headers it writes.
#include "midi/soundfontsubset.h"

#include <QTemporaryFile>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryFile file;
    if (!file.isOpen() && !file.open()) std::abort();
    file.resize(0);
    file.seek(0);
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.flush();
    using midi::detail::PresetSelection;
    for (const PresetSelection& selection :
         {PresetSelection::of({0x643899}), PresetSelection::of({0x0800B0, 0x19C0})}) {
        const QByteArray font = midi::detail::SoundFontSubset::build(file.fileName(), selection);
        if (!font.isEmpty() && (!font.startsWith("RIFF") || font.size() > qsizetype(size) + 4096))
            std::abort();
    }
    return 0;
}
