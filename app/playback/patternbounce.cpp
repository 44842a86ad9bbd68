#include "patternbounce.h"

#include "form1.h"
#include "midi/shortmessage.h"
#include "playback/patternplayback.h"
#include "shared/checkarray.h"
#include "shared/numericvalue.h"
#include "shared/stepnotes.h"

#include <QLineEdit>
#include <cmath>

std::optional<PatternBounce::Take> PatternBounce::of(const Form1& form, int loops) {
    const double bpm = numericValue(form.txtBPM->text());
    const double subdivs = numericValue(form.txtSubdivs->text());
    const double step = 60.0 / (bpm * subdivs);
    if (!(step > 0) || !std::isfinite(step)) return std::nullopt;
    const int columns = PatternPlayback::playableColumns(form);
    const QList<std::optional<int>> notes = PatternPlayback::rowNotes(form);
    Take take;
    take.seconds = double(loops) * columns * step + kTailSeconds;
    if (!midi::OfflineRenderer::fitsWav(take.seconds)) return take;  // refused before any work
    for (int loop = 0; loop < loops; ++loop) {
        for (int c = 1; c <= columns; ++c) {
            const double at = (double(loop) * columns + (c - 1)) * step;
            for (const StepNote& n : stepNotes(form.checkArray(c)->levels(), notes))
                take.messages << midi::TimedMessage{at, midi::drumNoteOn(
                                                            n.note,
                                                            n.level *
                                                                PatternPlayback::kVelocityPerLevel)}
                              << midi::TimedMessage{at, midi::drumNoteOn(n.note, 0)};
        }
    }
    return take;
}
