#include "formfixture.h"

#include "form1.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "shared/checkarray.h"

FormFixture::FormFixture(const QString& commandLine, bool startNow)
    : sandbox_(std::make_unique<SettingsSandbox>()),
      folder_(std::make_unique<TempProgramFolder>()),
      dialogs_(std::make_unique<ScriptedDialogs>()) {
    midi::MidiServices::instance().useVirtualOnly(true);
    midi::VirtualDevices::clear();
    device_ = midi::VirtualDevices::addOutput(QStringLiteral("Drums"));
    midi::MidiServices::instance().rescan();
    if (startNow) start(commandLine);
}

Form1& FormFixture::start(const QString& commandLine) {
    form_ = std::make_unique<Form1>(commandLine);
    clearSent();
    return *form_;
}

FormFixture::~FormFixture() {
    form_.reset();
    midi::VirtualDevices::clear();
}

QList<quint32> FormFixture::sent() const {
    QList<quint32> messages;
    for (const auto& m : midi::VirtualDevices::received(device_)) messages << m.shortMessage;
    return messages;
}

void FormFixture::clearSent() const { midi::VirtualDevices::clearReceived(device_); }

QList<int> FormFixture::row(int r) const {
    QList<int> levels;
    for (int c = 1; c < form_->checkArrayCount(); ++c) levels << form_->checkArray(c)->value(r);
    return levels;
}

void FormFixture::setRow(int r, const QList<int>& levels) {
    for (int c = 1; c <= levels.size() && c < form_->checkArrayCount(); ++c)
        form_->checkArray(c)->setValue(r, levels[c - 1]);
}
