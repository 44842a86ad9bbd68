#include "alsasequencer.h"

#include "quietlibraries.h"
#include "runningstatus.h"

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>
#include <unistd.h>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <atomic>
#include <iostream>
#include <optional>

namespace midi::detail {

namespace {

const char kClientName[] = "Beatloft";

// RtMidi writes an error on std::cerr before it throws it; while one of its objects is
// made, that text goes nowhere.
class CerrMuted {
public:
    CerrMuted() : saved_(std::cerr.rdbuf(nullptr)) {}
    ~CerrMuted() { std::cerr.rdbuf(saved_); }
    CerrMuted(const CerrMuted&) = delete;
    CerrMuted& operator=(const CerrMuted&) = delete;

private:
    std::streambuf* saved_;
};

void recordRtMidiError(RtMidiError::Type type, const std::string&, void* failed) {
    if (failed && type != RtMidiError::DEBUG_WARNING)
        static_cast<std::atomic<bool>*>(failed)->store(true);
}

// The sequencer client numbers that belong to this process, or nothing when the system
// has no ALSA sequencer. Without the kernel's sequencer device ALSA would still read its
// whole configuration and run its hooks (one loads the sound server's client library) only
// to fail; a start of the window pays for that on a machine without sound hardware.
std::optional<QSet<int>> ownClients() {
    if (!QFileInfo::exists(QStringLiteral("/dev/snd/seq"))) return std::nullopt;
    quietLibraries();
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, 0) < 0) return std::nullopt;
    QSet<int> own;
    snd_seq_client_info_t* info = nullptr;
    snd_seq_client_info_alloca(&info);
    snd_seq_client_info_set_client(info, -1);
    while (snd_seq_query_next_client(seq, info) >= 0) {
        const int pid = snd_seq_client_info_get_pid(info);
        const bool named = qstrcmp(snd_seq_client_info_get_name(info), kClientName) == 0;
        if (pid == getpid() || (pid <= 0 && named))
            own.insert(snd_seq_client_info_get_client(info));
    }
    snd_seq_close(seq);
    return own;
}

// RtMidi names an ALSA port "client name:port name client:port".
const QRegularExpression& portAddress() {
    static const QRegularExpression address(QStringLiteral("\\s+(\\d+):(\\d+)$"));
    return address;
}

template <class Port>
std::unique_ptr<Port> makePort(std::atomic<bool>* failed) {
    if (!ownClients()) return nullptr;
    try {
        CerrMuted muted;
        auto port = std::make_unique<Port>(RtMidi::LINUX_ALSA, kClientName);
        port->setErrorCallback(recordRtMidiError, failed);
        return port;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

template <class Port>
QList<PortInfo> listPorts() {
    const std::optional<QSet<int>> own = ownClients();
    if (!own) return {};
    const std::unique_ptr<Port> port = makePort<Port>(nullptr);
    if (!port) return {};
    QList<PortInfo> ports;
    const unsigned count = port->getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        const QString name = QString::fromStdString(port->getPortName(i));
        if (name.isEmpty()) continue;
        const QRegularExpressionMatch address = portAddress().match(name);
        if (address.hasMatch() && own->contains(address.captured(1).toInt())) continue;
        QString product = name;
        if (address.hasMatch()) product.chop(address.capturedLength());
        ports.append(PortInfo{name, product});
    }
    return ports;
}

template <class Port>
bool openByName(Port& port, const QString& key, const char* ownPortName) {
    const unsigned count = port.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        if (QString::fromStdString(port.getPortName(i)) != key) continue;
        port.openPort(i, ownPortName);
        return port.isPortOpen();
    }
    return false;
}

class MidiOutAlsa : public OutputConnection {
public:
    bool open(const QString& key) {
        port_ = makePort<RtMidiOut>(&failed_);
        return port_ && openByName(*port_, key, "Beatloft Output") && !failed_;
    }
    Result sendShort(std::uint32_t message) override {
        const RunningStatus::Bytes bytes = running_.unpack(message);
        if (bytes.length == 0) return kNoError;
        return send(bytes.data.data(), static_cast<size_t>(bytes.length));
    }
    Result sendLong(const QByteArray& bytes, int* holdMs) override {
        *holdMs = 0;
        return send(reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<size_t>(bytes.size()));
    }
    Result reset() override {
        Result result = kNoError;
        for (unsigned char channel = 0; channel < 16; ++channel) {
            const unsigned char sustainOff[3] = {static_cast<unsigned char>(0xB0 | channel), 64, 0};
            const unsigned char notesOff[3] = {static_cast<unsigned char>(0xB0 | channel), 123, 0};
            if (send(sustainOff, 3) != kNoError || send(notesOff, 3) != kNoError) result = kError;
        }
        running_.clear();
        return result;
    }

private:
    Result send(const unsigned char* data, size_t size) {
        failed_ = false;
        port_->sendMessage(data, size);
        return failed_ ? kError : kNoError;
    }

    std::atomic<bool> failed_{false};
    std::unique_ptr<RtMidiOut> port_;
    RunningStatus running_;
};

class MidiInAlsa : public InputConnection {
public:
    explicit MidiInAlsa(std::shared_ptr<InputSink> sink) : sink_(std::move(sink)) {}
    ~MidiInAlsa() override {
        if (port_) port_->closePort();  // joins RtMidi's thread: no delivery after this
    }
    bool open(const QString& key) {
        port_ = makePort<RtMidiIn>(&failed_);
        if (!port_) return false;
        port_->ignoreTypes(false, false, false);
        port_->setCallback(&MidiInAlsa::received, this);
        return openByName(*port_, key, "Beatloft Input") && !failed_;
    }

private:
    // On RtMidi's thread.
    static void received(double, std::vector<unsigned char>* message, void* self) {
        if (!message || message->empty()) return;
        InputSink& sink = *static_cast<MidiInAlsa*>(self)->sink_;
        const std::vector<unsigned char>& bytes = *message;
        if (bytes.front() == 0xF0) {
            sink.longReceived(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())));
            return;
        }
        std::uint32_t packed = 0;
        for (size_t i = 0; i < bytes.size() && i < 3; ++i)
            packed |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
        sink.shortReceived(packed);
    }

    std::shared_ptr<InputSink> sink_;
    std::atomic<bool> failed_{false};
    std::unique_ptr<RtMidiIn> port_;
};

// The sequencer's ports as a backend.
class AlsaSequencer : public MidiBackend {
public:
    QList<PortInfo> outputs() override;
    QList<PortInfo> inputs() override;
    Result openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) override;
    Result openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                     std::unique_ptr<InputConnection>* connection) override;
};

}  // namespace

QList<PortInfo> AlsaSequencer::outputs() {
    return listPorts<RtMidiOut>();
}

QList<PortInfo> AlsaSequencer::inputs() {
    return listPorts<RtMidiIn>();
}

Result AlsaSequencer::openOutput(const QString& key,
                                 std::unique_ptr<OutputConnection>* connection) {
    auto output = std::make_unique<MidiOutAlsa>();
    if (!output->open(key)) return kError;
    *connection = std::move(output);
    return kNoError;
}

Result AlsaSequencer::openInput(const QString& key, const std::shared_ptr<InputSink>& sink,
                                std::unique_ptr<InputConnection>* connection) {
    auto input = std::make_unique<MidiInAlsa>(sink);
    if (!input->open(key)) return kError;
    *connection = std::move(input);
    return kNoError;
}

}  // namespace midi::detail

midi::detail::MidiBackend* beatloftAlsaSequencer() {
    static midi::detail::AlsaSequencer sequencer;
    return &sequencer;
}
