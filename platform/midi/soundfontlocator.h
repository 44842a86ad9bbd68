#pragma once

#include <QString>
#include <QStringList>

namespace midi {

// Finds the General MIDI sound font of the built-in synthesizer, in this order: the path
// in the settings store (section "Midi", key "SoundFont"), the environment variable
// BEATLOFT_SOUNDFONT, TimGM6mb.sf2 in the first system folder, then every other .sf2 and
// .sf3 file of the system folders (/usr/share/sounds/sf2, /usr/share/sounds/sf3).
class SoundFontLocator {
public:
    // Every existing, readable candidate in search order, each file once.
    static QStringList candidates();
    // Whether there is any candidate; cheaper than listing them when a named font is there.
    static bool hasAny();
    // The first candidate, or an empty text when there is none.
    static QString find();
    // Says on stderr which configured fonts (settings store, environment) could not be
    // loaded and that loaded, the font found after them, is used instead.
    static void reportPassedOver(const QString& loaded);

    static QStringList systemFolders();
    // Replaces the system folders (tests); an empty list restores the default ones.
    static void setSystemFolders(const QStringList& folders);

private:
    // The fonts the user chose, in search order; none may exist.
    static QStringList configured();
    // The configured fonts, then TimGM6mb.sf2 in the first system folder.
    static QStringList named();
};

}  // namespace midi
