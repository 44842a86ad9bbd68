#include "cli/midilisting.h"
#include "midi/midiservices.h"
#include "midi/virtualdevices.h"

#include <jack/jack.h>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

bool jackServerRuns() {
    jack_client_t* probe = jack_client_open("probe", JackNoStartServer, nullptr);
    if (probe) jack_client_close(probe);
    return probe != nullptr;
}

}  // namespace

// `beatloft --list-midi`: the program run as a user runs it, and the listing it prints.
class TstMidiListing : public QObject {
    Q_OBJECT

private slots:
    void programListsTheBuiltinSynthesizer() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("BEATLOFT_MIDI_BACKENDS");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(BEATLOFT_BIN, {QStringLiteral("--list-midi")});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()), QString());

        const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
        const qsizetype inputs = lines.indexOf(QStringLiteral("MIDI-Eingänge"));
        QCOMPARE(lines.value(0), QStringLiteral("MIDI-Ausgänge"));
        QVERIFY(inputs >= 2);
        const QStringList outputLines = lines.mid(1, inputs - 1);
        QCOMPARE(outputLines.last(),
                 QStringLiteral("%1 - Beatloft GM Synth").arg(outputLines.size() - 1));
        if (!QFile::exists(QStringLiteral("/dev/snd/seq"))) {  // this machine, CI
            QCOMPARE(out, jackServerRuns()
                              ? QStringLiteral("MIDI-Ausgänge\n0 - Beatloft:midi_out\n"
                                               "1 - Beatloft GM Synth\nMIDI-Eingänge\n")
                              : QStringLiteral("MIDI-Ausgänge\n0 - Beatloft GM "
                                               "Synth\nMIDI-Eingänge\n"));
        }
    }

    void helpNamesTheOption() {
        QProcess program;
        program.start(BEATLOFT_BIN, {QStringLiteral("--help")});
        QVERIFY(program.waitForFinished(20000));
        QVERIFY(program.readAllStandardOutput().contains("--list-midi"));
    }

    void listsEveryDeviceWithItsIndex() {
        midi::MidiServices::instance().useVirtualOnly(true);
        midi::VirtualDevices::clear();
        QCOMPARE(midilisting::text(), QStringLiteral("MIDI-Ausgänge\nMIDI-Eingänge\n"));
        midi::VirtualDevices::addOutput(QStringLiteral("Out A"));
        midi::VirtualDevices::addOutput(QStringLiteral("Out B"));
        midi::VirtualDevices::addInput(QStringLiteral("In A"));
        QCOMPARE(midilisting::text(), QStringLiteral("MIDI-Ausgänge\n0 - Out A\n1 - Out B\n"
                                                     "MIDI-Eingänge\n0 - In A\n"));
        midi::VirtualDevices::clear();
    }
};

QTEST_MAIN(TstMidiListing)
#include "tst_midilisting.moc"
