#pragma once

#include <QString>

// Whether playback sends MIDI clock ("MIDI-Clock senden"), kept in the settings store as
// "1" or "0"; off unless "1" is stored.
class MidiClockSetting {
public:
    static const QString kSection;
    static const QString kKey;

    static bool isOn();
    static void store(bool on);
};
