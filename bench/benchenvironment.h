#pragma once

#include "midi/midiservices.h"
#include "midi/virtualdevices.h"
#include "system/consoledialogs.h"

#include <QTemporaryDir>

// What every benchmark of the main window runs in: settings and the desktop registration
// kept in a temporary folder, dialogs answered on the console, and only virtual MIDI devices.
class BenchEnvironment {
public:
    BenchEnvironment() {
        qputenv("XDG_CONFIG_HOME", sandbox_.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", sandbox_.filePath(QStringLiteral("data")).toLocal8Bit());
        sys::Dialogs::install(&console_);
        midi::MidiServices::instance().useVirtualOnly(true);
    }
    ~BenchEnvironment() { sys::Dialogs::install(nullptr); }

    // A fresh output device, the only one, for the next main window to open.
    static unsigned freshOutput() {
        midi::VirtualDevices::clear();
        const unsigned device = midi::VirtualDevices::addOutput(QStringLiteral("Bench"));
        midi::MidiServices::instance().rescan();
        return device;
    }

private:
    QTemporaryDir sandbox_;
    sys::ConsoleDialogs console_;
};
