#include "midi/messageclock.h"
#include "midi/midiservices.h"
#include "settingssandbox.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <atomic>
#include <cmath>
#include <vector>

using namespace midi;
using namespace std::chrono;

namespace {

constexpr int kRate = 48000;
constexpr int kNotes = 8;
// 100 ms: a whole number of the synthesizer's blocks, so every note meets a block alike.
constexpr int kSpacingFrames = kRate / 10;

// A JACK client recording one output port into memory and counting the cycles the server
// missed meanwhile.
class Recorder {
public:
    explicit Recorder(const char* source) {
        client_ = jack_client_open("recorder", JackNoStartServer, nullptr);
        if (!client_) return;
        port_ = jack_port_register(client_, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        samples_.resize(size_t(kRate) * 3);
        jack_set_process_callback(client_, &Recorder::process, this);
        jack_set_xrun_callback(
            client_, [](void* self) { return ++static_cast<Recorder*>(self)->xruns_, 0; }, this);
        ready_ = port_ && jack_activate(client_) == 0 &&
                 jack_connect(client_, source, jack_port_name(port_)) == 0;
    }
    ~Recorder() {
        if (client_) jack_client_close(client_);
    }
    bool ready() const { return ready_; }
    int xruns() const { return xruns_; }
    std::vector<float> samples() const {
        return {samples_.begin(), samples_.begin() + std::ptrdiff_t(written_.load())};
    }

private:
    static int process(jack_nframes_t frames, void* self) {
        auto* me = static_cast<Recorder*>(self);
        const auto* in = static_cast<const float*>(jack_port_get_buffer(me->port_, frames));
        const size_t at = me->written_;
        const size_t count = std::min(size_t(frames), me->samples_.size() - at);
        std::copy_n(in, count, me->samples_.begin() + std::ptrdiff_t(at));
        me->written_ = at + count;
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    bool ready_ = false;
    std::vector<float> samples_;
    std::atomic<size_t> written_{0};
    std::atomic<int> xruns_{0};
};

// A JACK client taking the frame of every message arriving from one MIDI output port.
class MidiRecorder {
public:
    explicit MidiRecorder(const char* source) {
        client_ = jack_client_open("midi-recorder", JackNoStartServer, nullptr);
        if (!client_) return;
        port_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        frames_.resize(64);
        jack_set_process_callback(client_, &MidiRecorder::process, this);
        jack_set_xrun_callback(
            client_, [](void* self) { return ++static_cast<MidiRecorder*>(self)->xruns_, 0; },
            this);
        ready_ = port_ && jack_activate(client_) == 0 &&
                 jack_connect(client_, source, jack_port_name(port_)) == 0;
    }
    ~MidiRecorder() {
        if (client_) jack_client_close(client_);
    }
    bool ready() const { return ready_; }
    int xruns() const { return xruns_; }
    std::vector<jack_nframes_t> frames() const {
        return {frames_.begin(), frames_.begin() + std::ptrdiff_t(count_.load())};
    }

private:
    static int process(jack_nframes_t frames, void* self) {
        auto* me = static_cast<MidiRecorder*>(self);
        void* buffer = jack_port_get_buffer(me->port_, frames);
        const jack_nframes_t start = jack_last_frame_time(me->client_);
        for (uint32_t i = 0; i < jack_midi_get_event_count(buffer); ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, buffer, i) != 0 || (event.buffer[0] & 0xF0) != 0x90 ||
                event.size < 3 || event.buffer[2] == 0)
                continue;
            const size_t at = me->count_;
            if (at < me->frames_.size()) me->frames_[at] = start + event.time;
            me->count_ = std::min(at + 1, me->frames_.size());
        }
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    bool ready_ = false;
    std::vector<jack_nframes_t> frames_;
    std::atomic<size_t> count_{0};
    std::atomic<int> xruns_{0};
};

// Frames where the signal first rises above 0.08 after at least 15 ms below 0.03.
std::vector<double> onsets(const std::vector<float>& samples) {
    std::vector<double> found;
    bool armed = true;
    int quiet = 0;
    for (size_t i = 1; i < samples.size(); ++i) {
        const double level = std::fabs(samples[i]);
        if (armed && level >= 0.08) {
            const double before = std::fabs(samples[i - 1]);
            found.push_back(double(i - 1) + (0.08 - before) / (level - before));
            armed = false;
        }
        quiet = level < 0.03 ? quiet + 1 : 0;
        if (quiet >= kRate * 15 / 1000) armed = true;
    }
    return found;
}

QStringList ourPorts() {
    jack_client_t* probe = jack_client_open("probe", JackNoStartServer, nullptr);
    if (!probe) return {};
    QStringList names;
    if (const char** ports = jack_get_ports(probe, "^Beatloft:", nullptr, 0)) {
        for (int i = 0; ports[i]; ++i) names << QString::fromUtf8(ports[i]);
        jack_free(ports);
    }
    jack_client_close(probe);
    return names;
}

}  // namespace

// The program under a JACK server of its own (the dummy backend at 48 kHz, 256 frames):
// its ports, and the built-in synthesizer's notes on their frames.
class TstJackServer : public QObject {
    Q_OBJECT

    QProcess server;
    SettingsSandbox* sandbox = nullptr;

    bool serverAnswers() {
        for (int tries = 0; tries < 30; ++tries) {
            if (jack_client_t* probe = jack_client_open("probe", JackNoStartServer, nullptr)) {
                jack_client_close(probe);
                return true;
            }
            QTest::qWait(100);
        }
        return false;
    }

private slots:
    void initTestCase() {
        const QString jackd = QStandardPaths::findExecutable(QStringLiteral("jackd"));
        if (jackd.isEmpty()) QSKIP("no JACK server is installed (jackd)");
        qputenv("JACK_DEFAULT_SERVER",
                "beatloft-test-" + QByteArray::number(QCoreApplication::applicationPid()));
        qputenv("BEATLOFT_MIDI_BACKENDS", "jack synth");
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(jackd, {"-R", "-d", "dummy", "-r", QString::number(kRate), "-p", "256"});
        if (!server.waitForStarted() || !serverAnswers())
            QSKIP(qPrintable("the JACK server did not start: " + server.readAll()));
        sandbox = new SettingsSandbox;
    }
    void cleanupTestCase() {
        delete sandbox;
        server.terminate();
        server.waitForFinished();
    }

    void portsListed() {
        MidiServices& services = MidiServices::instance();
        services.rescan();
        QStringList outputs;
        for (unsigned id = 0; id < services.outputCount(); ++id) {
            DeviceCaps caps;
            services.outputCaps(id, &caps);
            outputs << caps.productName;
        }
        QCOMPARE(outputs, (QStringList{"Beatloft:midi_out", "Beatloft GM Synth"}));
        QCOMPARE(ourPorts(),
                 (QStringList{"Beatloft:out_1", "Beatloft:out_2", "Beatloft:midi_out"}));
    }

    // Note-ons stamped 100 ms apart leave midi_out 4800 frames apart, within 5 frames: the
    // dummy backend's period is a whole number of microseconds, so its clock runs 62 ppm
    // off the system's.
    void midiOnItsFrames() {
        MidiServices& services = MidiServices::instance();
        OutputHandle port = 0;
        QCOMPARE(services.openOutput(0, &port), kNoError);
        MidiRecorder recorder("Beatloft:midi_out");
        QVERIFY(recorder.ready());
        const auto start = MessageClock::Clock::now() + milliseconds(300);
        for (int k = 0; k < kNotes; ++k) {
            MessageClock::Stamp stamp(start + k * milliseconds(100));
            services.shortMessage(port, 0x99u | 37u << 8 | 126u << 16);
            services.shortMessage(port, 0x99u | 37u << 8);
        }
        QTest::qWait(300 + kNotes * 100 + 300);
        services.closeOutput(port);
        if (recorder.xruns() > 0) QSKIP("the server missed cycles on a busy machine");
        const std::vector<jack_nframes_t> frames = recorder.frames();
        QCOMPARE(int(frames.size()), kNotes);
        for (int k = 1; k < kNotes; ++k)
            QVERIFY2(std::abs(int(frames[k] - frames[0]) - k * kSpacingFrames) <= 5,
                     qPrintable(QStringLiteral("note %1 at %2").arg(k).arg(frames[k] - frames[0])));
    }

    // Notes stamped 100 ms apart are heard 4800 frames apart, within 5 frames.
    void synthNotesOnTheirFrames() {
        MidiServices& services = MidiServices::instance();
        OutputHandle synth = 0;
        QCOMPARE(services.openOutput(services.outputCount() - 1, &synth), kNoError);
        Recorder recorder("Beatloft:out_1");
        QVERIFY(recorder.ready());
        const auto start = MessageClock::Clock::now() + milliseconds(300);
        for (int k = 0; k < kNotes; ++k) {
            MessageClock::Stamp stamp(start + k * milliseconds(100));
            services.shortMessage(synth, 0x99u | 37u << 8 | 126u << 16);
            services.shortMessage(synth, 0x99u | 37u << 8);
        }
        QTest::qWait(300 + kNotes * 100 + 300);
        services.closeOutput(synth);
        if (recorder.xruns() > 0) QSKIP("the server missed cycles on a busy machine");
        const std::vector<double> heard = onsets(recorder.samples());
        QCOMPARE(int(heard.size()), kNotes);
        for (int k = 1; k < kNotes; ++k)
            QVERIFY2(std::fabs(heard[k] - heard[0] - k * kSpacingFrames) <= 5,
                     qPrintable(QStringLiteral("note %1 off by %2 frames")
                                    .arg(k)
                                    .arg(heard[k] - heard[0] - k * kSpacingFrames)));
    }
};

QTEST_MAIN(TstJackServer)
#include "tst_jackserver.moc"
