#include "patternplayback.h"

#include "form1.h"
#include "hosting/automationerror.h"
#include "hosting/controlmodule.h"
#include "hosting/controlwidget.h"
#include "midicontrols/module/sonaportids.h"
#include "midicontrols/module/sonaportmodule.h"
#include "shared/checkarray.h"
#include "shared/numericvalue.h"
#include "shared/stepnotes.h"
#include "shared/steptimer.h"
#include "shared/taglabel.h"
#include "system/twipsgeometry.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLineEdit>
#include <cmath>

namespace {
constexpr int kNoteOnStatus = 144;
constexpr int kDrumChannel = 9;
constexpr int kMaxTimerInterval = 65535;
constexpr qint16 kStartDevice = 8;
}  // namespace

PatternPlayback::PatternPlayback(Form1& form) : form_(form) {
    connect(form.BtnPlay, &QAbstractButton::clicked, this, &PatternPlayback::BtnPlay_Click);
    connect(form.tmrPlay, &StepTimer::timeout, this, &PatternPlayback::tmrPlay_Timer);
    applyScreenInterval();  // the interval of the start-up texts, kept while the tempo reads 0
}

void PatternPlayback::selectStartDevice() {
    createMidiOutput();
    if (form_.MidiOutput1)
        form_.MidiOutput1->putProperty(Form1::kDispDeviceID, QVariant::fromValue(kStartDevice));
}

// Created by its class identifier and driven only through dispatch, as any container would.
void PatternPlayback::createMidiOutput() {
    sonaport::module();  // the library ships with the program: make sure it is loaded
    form_.ambient.setUserMode(true);
    QWidget* control =
        hosting::ControlModule::createControl(sonaport::ids::kMidiOutput.control, form_.frmSong);
    form_.MidiOutput1 = qobject_cast<hosting::ControlWidget*>(control);
    if (!form_.MidiOutput1) return;
    form_.MidiOutput1->setObjectName(QStringLiteral("MidiOutput1"));
    form_.MidiOutput1->setAmbient(&form_.ambient);
    sys::TwipsGeometry::set(form_.MidiOutput1, 120, 5985, 3255, 300);
    form_.MidiOutput1->show();
}

std::optional<int> PatternPlayback::stepInterval(double bpm, double subdivs) {
    const double interval = (1000 / subdivs) / (bpm / 60);
    if (!std::isfinite(interval)) return std::nullopt;
    const double whole = std::nearbyint(interval);  // the default rounding: halves to even
    if (whole < 1 || whole > kMaxTimerInterval) return std::nullopt;
    return int(whole);
}

void PatternPlayback::PlayDrumNote(int note, int level) {
    hosting::ControlWidget* output = form_.MidiOutput1;
    if (!output) return;
    const auto send = [&](int velocity) {
        try {
            output->invoke(Form1::kDispSendShortMessage,
                           {kNoteOnStatus, kDrumChannel, note, velocity});
        } catch (const hosting::AutomationError&) {
            // A failing device makes playback silent, never stops it.
        }
    };
    send(level * kVelocityPerLevel);
    send(0);
}

QList<std::optional<int>> PatternPlayback::rowNotes(const Form1& form) {
    QList<std::optional<int>> notes;
    for (int r = 1; r <= form.rowCount(); ++r) {
        const TagLabel* label = form.Label(r);
        notes.append(label ? noteOfTag(label->tag()) : std::nullopt);
    }
    return notes;
}

int PatternPlayback::playableColumns(const Form1& form) {
    const double steps = numericValue(form.txtSpalt->text());
    if (!(steps >= 1)) return 0;
    return int(std::min<double>(std::floor(steps), form.checkArrayCount() - 1));
}

// When tempo and steps per beat give no interval, the timer keeps the one it has.
void PatternPlayback::applyScreenInterval() {
    const double bpm = numericValue(form_.txtBPM->text());
    const double subdivs = numericValue(form_.txtSubdivs->text());
    const auto interval = stepInterval(bpm, subdivs);
    if (interval) form_.tmrPlay->setInterval(*interval, 60000.0 / (bpm * subdivs));
}

void PatternPlayback::BtnPlay_Click() {
    const bool down = form_.BtnPlay->isChecked();
    applyScreenInterval();
    form_.PlayPosition = 0;
    form_.tmrPlay->setEnabled(down);
    form_.PatternMode = true;
    if (form_.tmrPlay->isEnabled()) tmrPlay_Timer();
    form_.Cursor->setVisible(down);
}

void PatternPlayback::tmrPlay_Timer() {
    if (form_.PatternMode) patternStep();
}

void PatternPlayback::patternStep() {
    form_.PlayPosition += 1;
    if (form_.PlayPosition > playableColumns(form_)) form_.PlayPosition = 1;
    const int column = form_.PlayPosition;
    if (column >= form_.checkArrayCount()) return;  // no column to play
    sys::TwipsGeometry::setLeft(form_.Cursor, sys::TwipsGeometry::of(form_.checkArray(column)).x());
    playColumn(column);
}

void PatternPlayback::playColumn(int column) {
    const QList<StepNote> notes = stepNotes(form_.checkArray(column)->levels(), rowNotes(form_));
    for (const StepNote& n : notes) PlayDrumNote(n.note, n.level);
}
