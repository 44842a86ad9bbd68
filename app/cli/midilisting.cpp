#include "midilisting.h"

#include "midi/midiservices.h"

#include <QCoreApplication>
#include <cstdio>

namespace midilisting {

namespace {

using CapsOf = midi::Result (midi::MidiServices::*)(unsigned, midi::DeviceCaps*);

QString section(const QString& heading, unsigned count, CapsOf capsOf) {
    QString lines = heading + QLatin1Char('\n');
    for (unsigned id = 0; id < count; ++id) {
        midi::DeviceCaps caps;
        if ((midi::MidiServices::instance().*capsOf)(id, &caps) != midi::kNoError) continue;
        lines += QStringLiteral("%1 - %2\n").arg(id).arg(caps.productName);
    }
    return lines;
}

}  // namespace

QString text() {
    midi::MidiServices& services = midi::MidiServices::instance();
    return section(QCoreApplication::translate("midilisting", "MIDI-Ausgänge"),
                   services.outputCount(), &midi::MidiServices::outputCaps) +
           section(QCoreApplication::translate("midilisting", "MIDI-Eingänge"),
                   services.inputCount(), &midi::MidiServices::inputCaps);
}

int print() {
    std::fputs(text().toUtf8().constData(), stdout);
    std::fflush(stdout);
    return 0;
}

}  // namespace midilisting
