#include "midi/messageclock.h"
#include "midi/midiservices.h"
#include "onsetfinder.h"
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

// A JACK client recording the program's first audio output and the frames of the note-ons
// leaving its MIDI output, and counting the cycles the server missed meanwhile.
class Recorder {
public:
    Recorder() {
        client_ = jack_client_open("recorder", JackNoStartServer, nullptr);
        if (!client_) return;
        audio_ = jack_port_register(client_, "audio", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        midi_ = jack_port_register(client_, "midi", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        samples_.resize(size_t(kRate) * 3);
        noteOns_.resize(64);
        jack_set_process_callback(client_, &Recorder::process, this);
        jack_set_xrun_callback(
            client_, [](void* self) { return ++static_cast<Recorder*>(self)->xruns_, 0; }, this);
        ready_ = audio_ && midi_ && jack_activate(client_) == 0 &&
                 jack_connect(client_, "Beatloft:out_1", jack_port_name(audio_)) == 0 &&
                 jack_connect(client_, "Beatloft:midi_out", jack_port_name(midi_)) == 0;
    }
    ~Recorder() {
        if (client_) jack_client_close(client_);
    }
    bool ready() const { return ready_; }
    int xruns() const { return xruns_; }
    std::vector<float> samples() const {
        return {samples_.begin(), samples_.begin() + std::ptrdiff_t(written_.load())};
    }
    std::vector<jack_nframes_t> noteOns() const {
        return {noteOns_.begin(), noteOns_.begin() + std::ptrdiff_t(noteOnCount_.load())};
    }

private:
    static int process(jack_nframes_t frames, void* self) {
        auto* me = static_cast<Recorder*>(self);
        const auto* in = static_cast<const float*>(jack_port_get_buffer(me->audio_, frames));
        const size_t at = me->written_;
        const size_t count = std::min(size_t(frames), me->samples_.size() - at);
        std::copy_n(in, count, me->samples_.begin() + std::ptrdiff_t(at));
        me->written_ = at + count;
        void* midi = jack_port_get_buffer(me->midi_, frames);
        const jack_nframes_t start = jack_last_frame_time(me->client_);
        for (uint32_t i = 0; i < jack_midi_get_event_count(midi); ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, midi, i) != 0 || event.size < 3 ||
                (event.buffer[0] & 0xF0) != 0x90 || event.buffer[2] == 0)
                continue;
            const size_t n = me->noteOnCount_;
            if (n < me->noteOns_.size()) me->noteOns_[n] = start + event.time;
            me->noteOnCount_ = std::min(n + 1, me->noteOns_.size());
        }
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* audio_ = nullptr;
    jack_port_t* midi_ = nullptr;
    bool ready_ = false;
    std::vector<float> samples_;
    std::atomic<size_t> written_{0};
    std::vector<jack_nframes_t> noteOns_;
    std::atomic<size_t> noteOnCount_{0};
    std::atomic<int> xruns_{0};
};

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

// Each of the frames lies k * kSpacingFrames after the first, within 5 frames: the dummy
// backend's period is a whole number of microseconds, so its clock runs 62 ppm off the
// system's.
template <class Frame>
void checkSpacing(const std::vector<Frame>& frames) {
    QCOMPARE(int(frames.size()), kNotes);
    for (int k = 1; k < kNotes; ++k) {
        const double off = double(frames[k] - frames[0]) - k * kSpacingFrames;
        QVERIFY2(std::fabs(off) <= 5,
                 qPrintable(QStringLiteral("note %1 off by %2").arg(k).arg(off)));
    }
}

}  // namespace

// The program under a JACK server of its own (the dummy backend at 48 kHz, 256 frames):
// its ports, and notes stamped 100 ms apart on their frames at both outputs.
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

    // Sends kNotes drum notes stamped 100 ms apart to the output device while recording.
    void playNotes(unsigned device, Recorder* recorder) {
        MidiServices& services = MidiServices::instance();
        OutputHandle handle = 0;
        QCOMPARE(services.openOutput(device, &handle), kNoError);
        QVERIFY(recorder->ready());
        const auto start = MessageClock::Clock::now() + milliseconds(300);
        for (int k = 0; k < kNotes; ++k) {
            MessageClock::Stamp stamp(start + k * milliseconds(100));
            services.shortMessage(handle, 0x99u | 37u << 8 | 126u << 16);
            services.shortMessage(handle, 0x99u | 37u << 8);
        }
        QTest::qWait(300 + kNotes * 100 + 300);
        services.closeOutput(handle);
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

    void midiOnItsFrames() {
        Recorder recorder;
        playNotes(0, &recorder);
        if (QTest::currentTestFailed()) return;
        if (recorder.xruns() > 0) QSKIP("the server missed cycles on a busy machine");
        checkSpacing(recorder.noteOns());
    }

    void synthNotesOnTheirFrames() {
        Recorder recorder;
        playNotes(1, &recorder);
        if (QTest::currentTestFailed()) return;
        if (recorder.xruns() > 0) QSKIP("the server missed cycles on a busy machine");
        checkSpacing(OnsetFinder::frames(recorder.samples(), kRate, OnsetFinder::Mark::Crossing));
    }
};

QTEST_MAIN(TstJackServer)
#include "tst_jackserver.moc"
