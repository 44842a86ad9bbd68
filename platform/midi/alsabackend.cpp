#include "alsabackend.h"

#include "alsasequencer.h"
#include "dynamiclibrary.h"

#include <QFileInfo>

namespace midi::detail {

#define BEATLOFT_ALSA_MODULE_CALLS(X) X(beatloftAlsaSequencer)
#define BEATLOFT_LIBRARY_SPACE alsamodule
BEATLOFT_DECLARE_LIBRARY(BEATLOFT_ALSA_MODULE_CALLS)
#undef BEATLOFT_LIBRARY_SPACE

namespace {

// The sequencer of the module, or none while the system has no sequencer device.
MidiBackend* sequencer() {
    if (!QFileInfo::exists(QStringLiteral("/dev/snd/seq"))) return nullptr;
    static DynamicLibrary module(BEATLOFT_ALSA_MODULE, alsamodule::names, alsamodule::addresses,
                                 alsamodule::kCount);
    if (!module.load()) return nullptr;
    static MidiBackend* const backend = beatloftAlsaSequencer();
    return backend;
}

}  // namespace

QList<PortInfo> AlsaBackend::outputs() {
    MidiBackend* ports = sequencer();
    return ports ? ports->outputs() : QList<PortInfo>();
}

QList<PortInfo> AlsaBackend::inputs() {
    MidiBackend* ports = sequencer();
    return ports ? ports->inputs() : QList<PortInfo>();
}

Result AlsaBackend::openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) {
    MidiBackend* ports = sequencer();
    return ports ? ports->openOutput(key, connection) : kError;
}

Result AlsaBackend::openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                              std::unique_ptr<InputConnection>* connection) {
    MidiBackend* ports = sequencer();
    return ports ? ports->openInput(key, sink, connection) : kError;
}

}  // namespace midi::detail
