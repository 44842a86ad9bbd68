#include "jackbackend.h"

#include "jackclient.h"
#include "messageclock.h"
#include "runningstatus.h"

namespace midi::detail {

namespace {

const char kMidiKey[] = "midi_out";

class MidiOutJack : public OutputConnection {
public:
    Result sendShort(std::uint32_t message) override {
        const RunningStatus::Bytes bytes = running_.unpack(message);
        if (bytes.length > 0) send(reinterpret_cast<const char*>(bytes.data.data()), bytes.length);
        return kNoError;
    }
    Result sendLong(const QByteArray& bytes, int* holdMs) override {
        JackClient::instance().sendMidi(MessageClock::now(), bytes);
        *holdMs = 0;
        return kNoError;
    }
    // What is still waiting is dropped; every channel releases its sustain pedal and notes.
    Result reset() override {
        JackClient::instance().clearMidi();
        for (char channel = 0; channel < 16; ++channel) {
            const char sustainOff[3] = {char(0xB0 | channel), 64, 0};
            const char notesOff[3] = {char(0xB0 | channel), 123, 0};
            send(sustainOff, 3);
            send(notesOff, 3);
        }
        running_.clear();
        return kNoError;
    }

private:
    static void send(const char* data, int size) {
        JackClient::instance().sendMidi(MessageClock::now(), QByteArray(data, size));
    }

    RunningStatus running_;
};

}  // namespace

QList<PortInfo> JackBackend::outputs() {
    JackClient& client = JackClient::instance();
    if (!client.open()) return {};
    return {PortInfo{QString::fromLatin1(kMidiKey), client.midiPortName()}};
}

Result JackBackend::openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) {
    if (key != QLatin1String(kMidiKey)) return kBadDeviceId;
    if (!JackClient::instance().open()) return kBadDeviceId;
    *connection = std::make_unique<MidiOutJack>();
    return kNoError;
}

void JackBackend::withdraw(const QString&, std::chrono::steady_clock::time_point after) {
    JackClient::instance().withdrawMidi(after);
}

}  // namespace midi::detail
