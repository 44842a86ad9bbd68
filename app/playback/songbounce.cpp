#include "songbounce.h"

#include "form1.h"
#include "midi/shortmessage.h"
#include "playback/patternplayback.h"
#include "playback/songplayback.h"
#include "playback/songstepper.h"
#include "shared/numericvalue.h"
#include "shared/stepnotes.h"

#include <QLineEdit>
#include <cmath>

namespace {

double validOr(double seconds, double fallback) {
    return std::isfinite(seconds) && seconds > 0 ? seconds : fallback;
}

}  // namespace

std::optional<PatternBounce::Take> SongBounce::of(const Form1& form, int loops) {
    const double screen =
        60.0 / (numericValue(form.txtBPM->text()) * numericValue(form.txtSubdivs->text()));
    PatternBounce::Take take;
    double at = 0;
    for (int loop = 0; loop < loops; ++loop) {
        SongStepper stepper(SongPlayback::schedule(form));
        double period = stepper.isEmpty() ? NAN : validOr(stepper.first()->stepSeconds(), screen);
        for (SongStepper::Tick tick = stepper.next(); !tick.ended; tick = stepper.next()) {
            if (tick.startedRow) period = validOr(tick.startedRow->stepSeconds(), period);
            if (!(period > 0) || !std::isfinite(period)) return std::nullopt;
            for (const StepNote& n : SongPlayback::notesOf(form, tick.row, tick.step)) {
                const int velocity = n.level * PatternPlayback::kVelocityPerLevel;
                take.messages << midi::TimedMessage{at, midi::drumNoteOn(n.note, velocity)}
                              << midi::TimedMessage{at, midi::drumNoteOn(n.note, 0)};
            }
            at += period;
        }
    }
    take.seconds = at + PatternBounce::kTailSeconds;
    return take;
}
