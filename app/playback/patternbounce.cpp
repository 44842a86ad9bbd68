#include "patternbounce.h"

#include "form1.h"
#include "shared/checkarray.h"
#include "shared/numericvalue.h"
#include "shared/taglabel.h"
#include "playback/patternplayback.h"

#include <QLineEdit>
#include <cmath>

namespace {
std::uint32_t noteOn(int note, int velocity) {
    return 0x99u | std::uint32_t(note & 0xFF) << 8 | std::uint32_t(velocity & 0xFF) << 16;
}
}  // namespace

std::optional<PatternBounce::Take> PatternBounce::of(const Form1& form, int loops) {
    const double bpm = numericValue(form.txtBPM->text());
    const double subdivs = numericValue(form.txtSubdivs->text());
    const double step = 60.0 / (bpm * subdivs);
    if (!(step > 0) || !std::isfinite(step)) return std::nullopt;
    const int columns = qMin(int(std::floor(qMax(0.0, numericValue(form.txtSpalt->text())))),
                             form.checkArrayCount() - 1);
    Take take;
    for (int loop = 0; loop < loops; ++loop) {
        for (int c = 1; c <= columns; ++c) {
            const double at = (double(loop) * columns + (c - 1)) * step;
            const CheckArray* column = form.checkArray(c);
            for (int r = 1; r <= column->nElements(); ++r) {
                const int level = column->value(r);
                const TagLabel* label = form.Label(r);
                const auto note = label ? PatternPlayback::noteOf(label->tag()) : std::nullopt;
                if (level <= 0 || !note) continue;
                take.messages << midi::TimedMessage{at, noteOn(*note, level * 42)}
                              << midi::TimedMessage{at, noteOn(*note, 0)};
            }
        }
    }
    take.seconds = double(loops) * columns * step + kTailSeconds;
    return take;
}
