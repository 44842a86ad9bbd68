#include "midiclocksetting.h"

#include "system/settingsstore.h"

const QString MidiClockSetting::kSection = QStringLiteral("Options");
const QString MidiClockSetting::kKey = QStringLiteral("MidiClock");

bool MidiClockSetting::isOn() {
    return sys::SettingsStore::value(kSection, kKey).toString().trimmed() == QLatin1String("1");
}

void MidiClockSetting::store(bool on) {
    sys::SettingsStore::setValue(kSection, kKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}
