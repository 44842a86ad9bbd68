#include "patternplayback.h"

#include "form1.h"
#include "hosting/controlwidget.h"
#include "shared/checkarray.h"
#include "shared/numericvalue.h"
#include "shared/taglabel.h"
#include "playback/steptimer.h"
#include "system/twipsgeometry.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <cmath>

namespace {
constexpr int kChannel = 144;
constexpr int kStatus = 9;
constexpr int kVelocityPerLevel = 42;
constexpr int kMaxTimerInterval = 65535;
}  // namespace

std::optional<int> PatternPlayback::stepInterval(double bpm, double subdivs) {
    const double interval = (1000 / subdivs) / (bpm / 60);
    if (!std::isfinite(interval)) return std::nullopt;
    const double whole = std::nearbyint(interval);  // the default rounding: halves to even
    if (whole < 1 || whole > kMaxTimerInterval) return std::nullopt;
    return int(whole);
}

std::optional<int> PatternPlayback::noteOf(const QString& tag) {
    bool ok = false;
    const double value = tag.trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    const double note = std::nearbyint(value);
    if (note < 0 || note > 255) return std::nullopt;
    return int(note);
}

void PatternPlayback::PlayDrumNote(int note, int level) {
    hosting::ControlWidget* output = form_.MidiOutput1;
    if (!output) return;
    const auto send = [&](int velocity) {
        try {
            output->invoke(Form1::kDispSendShortMessage, {kChannel, kStatus, note, velocity});
        } catch (...) {
            // A failing device makes playback silent, never stops it.
        }
    };
    send(level * kVelocityPerLevel);
    send(0);
}

void PatternPlayback::applyInterval() {
    const double bpm = numericValue(form_.txtBPM->text());
    if (bpm == 0) return;
    const double subdivs = numericValue(form_.txtSubdivs->text());
    if (const auto interval = stepInterval(bpm, subdivs))
        form_.tmrPlay->setInterval(*interval, 60000.0 / (bpm * subdivs));
}

void PatternPlayback::BtnPlay_Click() {
    const bool down = form_.BtnPlay->isChecked();
    applyInterval();
    form_.PlayPosition = 0;
    form_.tmrPlay->setEnabled(down);
    form_.PatternMode = true;
    if (form_.tmrPlay->Enabled()) tmrPlay_Timer();
    form_.Cursor->setVisible(down);
}

void PatternPlayback::tmrPlay_Timer() {
    if (form_.PatternMode) patternStep();
}

void PatternPlayback::patternStep() {
    form_.PlayPosition += 1;
    if (form_.PlayPosition > numericValue(form_.txtSpalt->text())) form_.PlayPosition = 1;
    const int column = form_.PlayPosition;
    if (column >= form_.checkArrayCount()) return;  // the count names a column the grid lacks
    sys::TwipsGeometry::setLeft(form_.Cursor, sys::TwipsGeometry::of(form_.checkArray(column)).x());
    playColumn(column);
}

void PatternPlayback::playColumn(int column) {
    const CheckArray* cells = form_.checkArray(column);
    for (int r = 1; r <= cells->nElements(); ++r) {
        const int level = cells->value(r);
        if (level <= 0) continue;
        if (const TagLabel* label = form_.Label(r))
            if (const auto note = noteOf(label->tag())) PlayDrumNote(*note, level);
    }
}
