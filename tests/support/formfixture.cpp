#include "formfixture.h"

#include "pattern/patternview.h"
#include "song/songlist.h"
#include "transport/transport.h"

#include "beatloft.h"
#include "form1.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "views/checkarray.h"

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
    app_ = std::make_unique<Beatloft>(commandLine);
    clearSent();
    return form();
}

Form1& FormFixture::restart(const QString& commandLine) {
    app_.reset();
    return start(commandLine);
}

Form1& FormFixture::form() {
    return app_->form();
}

FormFixture::~FormFixture() {
    app_.reset();
    midi::VirtualDevices::clear();
}

QList<quint32> FormFixture::sent() const {
    QList<quint32> messages;
    for (const auto& m : midi::VirtualDevices::received(device_)) messages << m.shortMessage;
    return messages;
}

void FormFixture::clearSent() const {
    midi::VirtualDevices::clearReceived(device_);
}

QList<int> FormFixture::row(int r) const {
    QList<int> levels;
    for (int c = 1; c < app_->form().checkArrayCount(); ++c)
        levels << app_->form().checkArray(c)->value(r);
    return levels;
}

void FormFixture::setRow(int r, const QList<int>& levels) {
    for (int c = 1; c <= levels.size() && c < app_->form().checkArrayCount(); ++c)
        app_->form().checkArray(c)->setValue(r, levels[c - 1]);
}

Transport& FormFixture::transport() {
    return app_->transport();
}

StepTimer& FormFixture::timer() {
    return app_->transport().timer();
}

const Song& FormFixture::song() {
    return app_->songList().song();
}

void FormFixture::editSong(const std::function<void(Song&)>& edit) {
    Song song = app_->songList().song();
    edit(song);
    app_->songList().setSong(song);
}

void FormFixture::setInstrumentName(int row, const QString& name) {
    setInstrument(row, [&](Instrument& instrument) { instrument.name = name; });
}

void FormFixture::setInstrumentTag(int row, const QString& tag) {
    setInstrument(row, [&](Instrument& instrument) { instrument.tag = tag; });
}

void FormFixture::setInstrument(int row, const std::function<void(Instrument&)>& change) {
    Pattern pattern = app_->patternView().pattern();
    QList<Instrument> rows = pattern.instruments();
    change(rows[row - 1]);
    pattern.setInstruments(rows);
    app_->patternView().show(pattern);
}
