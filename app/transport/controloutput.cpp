#include "controloutput.h"

#include "common/sonaportids.h"
#include "form1.h"
#include "hosting/automationerror.h"
#include "hosting/controlmodule.h"
#include "hosting/controlwidget.h"
#include "midi/midiservices.h"
#include "module/sonaportmodule.h"
#include "system/twipsgeometry.h"

#include <QGroupBox>

namespace {
constexpr int kNoteOnStatus = 144;
constexpr int kDrumChannel = 9;
}  // namespace

void ControlOutput::selectStartDevice() {
    createMidiOutput();
    if (form_.MidiOutput1)
        form_.MidiOutput1->putProperty(Form1::DispDeviceID, QVariant::fromValue(kStartDevice));
}

// Created by its class identifier and driven only through dispatch, as any container would.
void ControlOutput::createMidiOutput() {
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

void ControlOutput::PlayDrumNote(int note, int level) {
    send(kNoteOnStatus, kDrumChannel, note, level * kVelocityPerLevel);
    send(kNoteOnStatus, kDrumChannel, note, 0);
}

// The control adds its first two arguments into the status byte.
void ControlOutput::sendRealTime(int status) {
    send(status, 0, 0, 0);
}

std::optional<unsigned> ControlOutput::deviceId() const {
    hosting::ControlWidget* output = form_.MidiOutput1;
    if (!output) return std::nullopt;
    try {
        return output->getProperty(Form1::DispDeviceID).toUInt();
    } catch (const hosting::AutomationError&) {
        return std::nullopt;
    }
}

bool ControlOutput::placesByTime() const {
    const auto id = deviceId();
    return id && midi::MidiServices::instance().outputPlacesByTime(*id);
}

void ControlOutput::withdraw(std::chrono::steady_clock::time_point after) {
    if (const auto id = deviceId()) midi::MidiServices::instance().withdrawOutput(*id, after);
}

void ControlOutput::send(int channel, int status, int message, int value) {
    hosting::ControlWidget* output = form_.MidiOutput1;
    if (!output) return;
    try {
        output->invoke(Form1::DispSendShortMessage, {channel, status, message, value});
    } catch (const hosting::AutomationError&) {
        // A failing device makes playback silent, never stops it.
    }
}
