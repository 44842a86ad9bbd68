// The built-in synthesizer: first open (sound font load), resident memory after it, cost
// of a drum note, and offline render speed.

#include "midi/midiservices.h"
#include "midi/offlinerenderer.h"
#include "midi/soundfontlocator.h"

#include <QFile>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Resident memory in MiB, or a negative value where /proc is not there.
double residentMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return -1;
}

// A 16-step rock beat at 120 beats per minute, as Beatloft sends it.
QList<midi::TimedMessage> pattern(double seconds) {
    QList<midi::TimedMessage> messages;
    const double step = 60.0 / (120 * 4);
    for (int i = 0; i * step < seconds; ++i) {
        const auto note = [&](unsigned key, unsigned level) {
            messages.append({i * step, 0x99u | key << 8 | (level * 42) << 16});
            messages.append({i * step, 0x99u | key << 8});
        };
        if (i % 2 == 0) note(42, 2);
        if (i % 8 == 0) note(36, 3);
        if (i % 8 == 4) note(38, 3);
    }
    return messages;
}

}  // namespace

int main() {
    midi::MidiServices& services = midi::MidiServices::instance();
    services.useVirtualOnly(false);
    const unsigned synth = services.outputCount() - 1;
    std::printf("midi_synth: sound font %s\n", qPrintable(midi::SoundFontLocator::find()));

    const double before = residentMiB();
    midi::OutputHandle handle = 0;
    auto start = Clock::now();
    if (services.openOutput(synth, &handle) != midi::kNoError) {
        std::printf("midi_synth: the built-in synthesizer does not open\n");
        return 1;
    }
    const double firstOpen = msSince(start);
    const double after = residentMiB();

    constexpr int kNotes = 20000;
    start = Clock::now();
    for (int i = 0; i < kNotes; ++i) {
        services.shortMessage(handle, 0x007E2499 | (36 + i % 8) << 8);
        services.shortMessage(handle, 0x00002499 | (36 + i % 8) << 8);
    }
    const double perNoteUs = msSince(start) * 1000 / kNotes;
    services.resetOutput(handle);
    services.closeOutput(handle);

    start = Clock::now();
    services.openOutput(synth, &handle);
    const double reopen = msSince(start);
    services.closeOutput(handle);

    constexpr double kSeconds = 60;
    std::vector<std::int16_t> samples;
    start = Clock::now();
    midi::OfflineRenderer::renderToBuffer(pattern(kSeconds), kSeconds, &samples);
    const double renderMs = msSince(start);

    std::printf("midi_synth: first open %.1f ms, open again %.1f ms\n", firstOpen, reopen);
    std::printf("midi_synth: resident memory %.1f MiB before, %.1f MiB after the first open\n",
                before, after);
    std::printf("midi_synth: one drum note (two short messages) %.2f us\n", perNoteUs);
    std::printf("midi_synth: offline render of %.0f s took %.0f ms: %.0f s of audio per second\n",
                kSeconds, renderMs, kSeconds * 1000 / renderMs);
    return 0;
}
