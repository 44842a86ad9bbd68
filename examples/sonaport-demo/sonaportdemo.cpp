#include "sonaportdemo.h"

#include "common/sonaportids.h"
#include "module/sonaportmodule.h"

#include "hosting/controlmodule.h"
#include "hosting/controlwidget.h"
#include "hosting/propertybag.h"
#include "midi/midiservices.h"

#include <QLabel>
#include <QListWidget>

namespace {

namespace ids = sonaport::ids;

// Dispatch and event identifiers of the controls, as their interfaces define them.
constexpr hosting::DispId kSendShortMessage = 2;
constexpr hosting::DispId kChannel = 1;
constexpr hosting::DispId kValue = 1;
constexpr int kNoteOnEvent = 1;
constexpr int kNoteOffEvent = 2;
constexpr int kSpinEvent = 1;
constexpr int kShortMessageEvent = 1;

constexpr qint32 kNoteOn = 0x90;
constexpr qint32 kNoteOff = 0x80;
constexpr qint32 kControlChange = 0xB0;
constexpr qint32 kVolumeController = 7;

constexpr quint32 kButtonFace = 0x8000000Fu;  // the system colour of dialog faces

}  // namespace

SonaportDemo::SonaportDemo(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("SONAPORT Demo"));
    sonaport::module();  // the library is linked in: make sure it is loaded
    ambient_.setUserMode(true);
    ambient_.setBackColor(kButtonFace);

    addCaption(QStringLiteral("MIDI output"), {10, 8});
    output_ = create(ids::kMidiOutput.control, {10, 26, 270, 24});
    addCaption(QStringLiteral("MIDI input"), {300, 8});
    input_ = create(ids::kMidiInput.control, {300, 26, 270, 24});
    addCaption(QStringLiteral("Channel"), {10, 62});
    channel_ = create(ids::kMidiChannel.control, {10, 80, 120, 24});
    addCaption(QStringLiteral("Velocity"), {10, 116});
    slider_ = create(ids::kMidiSlider.control, {10, 134, 50, 200});
    addCaption(QStringLiteral("Volume"), {80, 116});
    spinner_ = create(ids::kMidiSpinner.control, {80, 134, 34, 49});
    addCaption(QStringLiteral("Keyboard"), {150, 62});
    keyboard_ = create(ids::kMidiKeyboard.control, {150, 80, 280, 30});
    addCaption(QStringLiteral("Received"), {150, 116});
    log_ = new QListWidget(this);
    log_->setAccessibleName(QStringLiteral("Received"));
    log_->setGeometry(150, 134, 420, 200);

    setFixedSize(580, 344);
    startOnLastOutput();
    wire();
}

hosting::ControlWidget* SonaportDemo::create(const QUuid& clsid, const QRect& geometry) {
    auto* control =
        dynamic_cast<hosting::ControlWidget*>(hosting::ControlModule::createControl(clsid, this));
    if (!control) qFatal("The SONAPORT library does not provide a control this demo needs.");
    control->setAmbient(&ambient_);
    control->initNew();
    control->setGeometry(geometry);
    return control;
}

void SonaportDemo::addCaption(const QString& text, const QPoint& at) {
    auto* caption = new QLabel(text, this);
    caption->move(at);
}

// The last output is the built-in synthesizer, so the keys sound out of the box.
void SonaportDemo::startOnLastOutput() {
    const unsigned count = midi::MidiServices::instance().outputCount();
    if (count == 0) return;
    hosting::PropertyBag bag;
    bag.write(QStringLiteral("DeviceID"), count - 1);
    output_->loadProperties(bag);
}

void SonaportDemo::wire() {
    connect(keyboard_, &hosting::ControlWidget::eventRaised, this,
            [this](int dispid, const QVariantList& arguments) {
                const qint32 note = arguments.value(0).toInt();
                const qint32 velocity = slider_->getProperty(kValue).toInt();
                if (dispid == kNoteOnEvent) send(kNoteOn, note, velocity);
                if (dispid == kNoteOffEvent) send(kNoteOff, note, 0);
            });
    connect(spinner_, &hosting::ControlWidget::eventRaised, this, [this](int dispid) {
        // The event may carry a value beyond the knob's range; the knob's own is sent.
        if (dispid == kSpinEvent)
            send(kControlChange, kVolumeController, spinner_->getProperty(kValue).toInt());
    });
    connect(input_, &hosting::ControlWidget::eventRaised, this,
            [this](int dispid, const QVariantList& a) {
                if (dispid != kShortMessageEvent || a.size() != 4) return;
                log_->addItem(logLine(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt()));
                log_->scrollToBottom();
            });
}

void SonaportDemo::send(qint32 status, qint32 data1, qint32 data2) {
    const qint32 channel = channel_->getProperty(kChannel).toInt();
    output_->invoke(kSendShortMessage, {channel, status, data1, data2});
}

QString SonaportDemo::logLine(qint32 status, qint32 channel, qint32 data1, qint32 data2) {
    return QStringLiteral("Status 0x%1  Channel %2  Data1 %3  Data2 %4")
        .arg(QString::number(status, 16).toUpper().rightJustified(2, QLatin1Char('0')))
        .arg(channel)
        .arg(data1)
        .arg(data2);
}
