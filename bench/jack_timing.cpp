// The built-in synthesizer under a JACK server (the dummy backend at 48 kHz, buffers of 256
// and 1024 frames, a server of its own): the program's ports as the server lists them, and
// every drum onset of a `--play` recorded with jack_capture against the step grid, with the
// linear trend removed and against the exact grid; then the same for notes stamped ahead
// through the MIDI services, which leaves the step timer out and shows the JACK path alone.
#include "gridfit.h"
#include "midi/messageclock.h"
#include "midi/midiservices.h"
#include "onsetfinder.h"

#include <jack/jack.h>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr double kStepFrames = kRate * 0.125;  // 120 BPM, 4 steps per beat
constexpr int kSeconds = 6;

struct Figures {
    int onsets = 0;
    double detrendedMax = 0, detrendedP99 = 0, gridMax = 0;
};

// Deviations from the grid of `step` frames: with a fitted straight line removed (least
// squares), and with only the mean offset removed.
Figures deviations(const std::vector<double>& at, double step) {
    Figures f;
    f.onsets = int(at.size());
    if (at.size() < 3) return f;
    const GridFit fit = GridFit::of(at, step);
    std::vector<double> jitter = fit.jitter;
    std::sort(jitter.begin(), jitter.end());
    f.detrendedMax = jitter.back();
    f.detrendedP99 = jitter[size_t(0.99 * double(jitter.size() - 1) + 0.5)];
    f.gridMax = *std::max_element(fit.offsets.begin(), fit.offsets.end());
    return f;
}

// The first channel of jack_capture's 32-bit float WAV file.
std::vector<float> wavChannel(const QString& path, int channels) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const qsizetype data = bytes.indexOf("data");
    if (data < 0) return {};
    std::vector<float> samples;
    for (qsizetype at = data + 8; at + 4 <= bytes.size(); at += 4 * channels) {
        float value;
        std::memcpy(&value, bytes.constData() + at, 4);
        samples.push_back(value);
    }
    return samples;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("?");
    return QString::fromLatin1(file.readAll().split(' ').value(0));
}

bool waitForPort(const char* name, int tries) {
    for (; tries > 0; --tries, QThread::msleep(20)) {
        jack_client_t* probe = jack_client_open("bench-probe", JackNoStartServer, nullptr);
        if (!probe) continue;
        const bool found = jack_port_by_name(probe, name) != nullptr;
        jack_client_close(probe);
        if (found) return true;
    }
    return false;
}

// Lists the ports of the server, as jack_lsp does.
void listPorts() {
    jack_client_t* probe = jack_client_open("bench-probe", JackNoStartServer, nullptr);
    if (!probe) return;
    if (const char** ports = jack_get_ports(probe, nullptr, nullptr, 0)) {
        for (int i = 0; ports[i]; ++i) std::printf("    %s\n", ports[i]);
        jack_free(ports);
    }
    jack_client_close(probe);
}

// Records kSeconds of the synthesizer's left port into wav.
void startCapture(QProcess& capture, const QString& wav) {
    QFile::remove(wav);  // jack_capture never writes over a file
    capture.start(QStringLiteral("jack_capture"),
                  {QStringLiteral("-d"), QString::number(kSeconds), QStringLiteral("-f"),
                   QStringLiteral("wav"), QStringLiteral("-c"), QStringLiteral("1"),
                   QStringLiteral("--port"), QStringLiteral("Beatloft:out_1"), wav});
}

// The recording of a --play.
std::vector<float> recordPlay(const QString& program, const QString& pattern,
                              const QString& folder) {
    QProcess play;
    play.start(program, {QStringLiteral("--play"), pattern, QStringLiteral("--seconds"),
                         QString::number(kSeconds + 1)});
    if (!waitForPort("Beatloft:out_1", 250)) return {};
    std::printf("  ports while --play runs:\n");
    listPorts();
    const QString wav = folder + QStringLiteral("/play.wav");
    QProcess capture;
    startCapture(capture, wav);
    capture.waitForFinished(1000 * (kSeconds + 10));
    play.waitForFinished(10000);
    return wavChannel(wav, 1);
}

// In a process of its own (the JACK client is one per process): notes stamped ahead through
// the MIDI services, spacingMs apart, recorded as they leave the synthesizer's port.
int stampedRun(const QString& folder, int spacingMs) {
    midi::MidiServices& services = midi::MidiServices::instance();
    midi::OutputHandle synth = 0;
    if (services.openOutput(services.outputCount() - 1, &synth) != midi::kNoError) return 1;
    const QString wav = folder + QStringLiteral("/stamped.wav");
    QProcess capture;
    startCapture(capture, wav);
    const auto start = midi::MessageClock::Clock::now() + std::chrono::milliseconds(800);
    for (int k = 0; k < (kSeconds - 1) * 1000 / spacingMs; ++k) {
        midi::MessageClock::Stamp stamp(start + k * std::chrono::milliseconds(spacingMs));
        services.shortMessage(synth, 0x99u | 37u << 8 | 126u << 16);
        services.shortMessage(synth, 0x99u | 37u << 8);
    }
    capture.waitForFinished(1000 * (kSeconds + 10));
    services.closeOutput(synth);
    return 0;
}

void report(const char* title, const Figures& f) {
    std::printf(
        "  %-36s %3d onsets; trend removed: max %6.2f p99 %6.2f frames; "
        "exact grid: max %6.2f frames\n",
        title, f.onsets, f.detrendedMax, f.detrendedP99, f.gridMax);
}

// The onsets of a recording against a grid, marked at the attack's start and where it
// passes 0.08 (now that every note of one drum starts alike, the steadier of the two).
void reportBoth(const QByteArray& title, const std::vector<float>& samples, double step) {
    report(title + ", attack start",
           deviations(OnsetFinder::frames(samples, kRate, OnsetFinder::Mark::AttackStart), step));
    report(title + ", at 0.08",
           deviations(OnsetFinder::frames(samples, kRate, OnsetFinder::Mark::Crossing), step));
}

void measure(int buffer, const QString& self, const QString& program, const QString& folder) {
    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(
        QStringLiteral("jackd"),
        {QStringLiteral("-R"), QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
         QString::number(kRate), QStringLiteral("-p"), QString::number(buffer)});
    std::printf("jack_timing: dummy backend, %d Hz, buffer %d frames\n", kRate, buffer);
    if (!server.waitForStarted() || !waitForPort("system:playback_1", 150)) {
        std::printf("  skipped: the JACK server did not start\n");
        return;
    }
    std::atomic<int> xruns{0};
    jack_client_t* watch = jack_client_open("bench-xruns", JackNoStartServer, nullptr);
    if (watch) {
        jack_set_xrun_callback(
            watch, [](void* count) { return ++*static_cast<std::atomic<int>*>(count), 0; }, &xruns);
        jack_activate(watch);
    }
    const QString pattern = OnsetFinder::writeSidestickPattern(folder);
    reportBoth("--play", recordPlay(program, pattern, folder), kStepFrames);
    // 125 ms is 187.5 of the synthesizer's 64-frame blocks at 96 kHz: every other note
    // falls between two blocks. 100 ms is 150 blocks: every note meets its block alike.
    for (int spacingMs : {125, 100}) {
        QProcess::execute(self, {QStringLiteral("--stamped"), folder, QString::number(spacingMs)});
        reportBoth("stamped, " + QByteArray::number(spacingMs) + " ms apart",
                   wavChannel(folder + "/stamped.wav", 1), kRate * spacingMs / 1000.0);
    }
    if (watch) jack_client_close(watch);
    server.terminate();
    server.waitForFinished();
    // The server restarts its cycle after a late wake-up without telling its clients.
    const QByteArray said = server.readAll();
    std::printf("  cycles the server missed: %d xruns reported, %d late wake-ups (load %s)\n",
                xruns.load(), int(said.count("restart")), qPrintable(loadAverage()));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    jack_set_error_function([](const char*) {});
    jack_set_info_function([](const char*) {});
    if (argc > 3 && QByteArray(argv[1]) == "--stamped")
        return stampedRun(QString::fromLocal8Bit(argv[2]), std::max(50, std::atoi(argv[3])));
    for (const char* tool : {"jackd", "jack_capture"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            std::printf("jack_timing: skipped, %s is not installed\n", tool);
            return 0;
        }
    }
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    qputenv("JACK_DEFAULT_SERVER", "beatloft-bench-" + QByteArray::number(app.applicationPid()));
    qunsetenv("BEATLOFT_MIDI_BACKENDS");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/beatloft");
    for (int buffer : {256, 1024})
        measure(buffer, QCoreApplication::applicationFilePath(), program, folder.path());
    return 0;
}
