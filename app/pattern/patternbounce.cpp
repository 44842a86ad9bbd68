#include "patternbounce.h"

#include "midi/shortmessage.h"
#include "pattern/pattern.h"
#include "shared/drumoutput.h"

bool PatternBounce::admits(Take* take, double messages) {
    take->tooManyMessages = messages > double(kMaxMessages);
    return !take->tooManyMessages && midi::OfflineRenderer::fitsWav(take->seconds);
}

std::optional<PatternBounce::Take> PatternBounce::of(const Pattern& pattern, int loops) {
    const std::optional<double> step = pattern.stepSeconds();
    if (!step) return std::nullopt;
    const int columns = pattern.playableColumns();
    QList<QList<StepNote>> notes;  // the notes of each column, the same in every loop
    double perLoop = 0;
    for (int c = 1; c <= columns; ++c) {
        notes << pattern.notesAt(c);
        perLoop += 2.0 * notes.last().size();
    }
    Take take;
    take.seconds = double(loops) * columns * *step + kTailSeconds;
    if (!admits(&take, perLoop * loops)) return take;  // refused before any work
    take.messages.reserve(qsizetype(perLoop) * loops);
    for (int loop = 0; loop < loops; ++loop) {
        for (int c = 1; c <= columns; ++c) {
            const double at = (double(loop) * columns + (c - 1)) * *step;
            for (const StepNote& n : notes[c - 1])
                take.messages << midi::TimedMessage{at,
                                                    midi::drumNoteOn(
                                                        n.note,
                                                        n.level * DrumOutput::kVelocityPerLevel)}
                              << midi::TimedMessage{at, midi::drumNoteOn(n.note, 0)};
        }
    }
    return take;
}
