#include "jackclient.h"

#include "jacklibrary.h"
#include "jackpresence.h"
#include "jacktiming.h"
#include "quietlibraries.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>

namespace midi::detail {

namespace {

const char kClientName[] = "Beatloft";

// The first ports of the given type that the system plays (physical inputs), at most count.
void connectPorts(jack_client_t* client, const char* type, const std::vector<jack_port_t*>& ours) {
    const char** system =
        jack_get_ports(client, nullptr, type, JackPortIsPhysical | JackPortIsInput);
    if (!system) return;
    for (size_t i = 0; i < ours.size() && system[i]; ++i)
        jack_connect(client, jack_port_name(ours[i]), system[i]);
    jack_free(system);
}

// Closing a client whose server went away unnoticed writes to a closed socket: while one
// of these lives, the broken pipe is caught instead of ending the program.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &saved_);
    }
    ~PipeSignalHeld() {
        const timespec none{};
        while (sigtimedwait(&pipe_, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t pipe_;
    sigset_t saved_;
};

}  // namespace

JackClient& JackClient::instance() {
    static JackClient* client = new JackClient;
    return *client;
}

bool JackClient::open() {
    std::lock_guard lock(openMutex_);
    if (client_) return !lost_;
    if (!JackPresence::serverMayRun() || !JackLibrary::load()) return false;
    quietLibraries();
    jack_status_t status{};
    jack_client_t* client = jack_client_open(kClientName, JackNoStartServer, &status);
    if (!client) return false;
    client_ = client;
    if (!registerPorts() || jack_activate(client_) != 0) {
        jack_client_close(client_);
        client_ = nullptr;
        return false;
    }
    if (autoConnect_) connectToSystem();
    // A client that ends without closing stalls the server's cycle until it gives up on it.
    std::atexit([] { instance().close(); });
    return true;
}

void JackClient::close() {
    std::lock_guard lock(openMutex_);
    if (!client_) return;
    PipeSignalHeld held;
    lost_ = true;
    jack_client_close(client_);
    client_ = nullptr;
}

bool JackClient::registerPorts() {
    rate_ = jack_get_sample_rate(client_);
    left_ = jack_port_register(client_, "out_1", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    right_ = jack_port_register(client_, "out_2", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
    midi_ = jack_port_register(client_, "midi_out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (!left_ || !right_ || !midi_) return false;
    midiPortName_ = QString::fromUtf8(jack_port_name(midi_));
    jack_set_process_callback(client_, &JackClient::process, this);
    jack_on_shutdown(
        client_, [](void* self) { static_cast<JackClient*>(self)->lost_ = true; }, this);
    return true;
}

void JackClient::connectToSystem() {
    connectPorts(client_, JACK_DEFAULT_AUDIO_TYPE, {left_, right_});
    connectPorts(client_, JACK_DEFAULT_MIDI_TYPE, {midi_});
}

void JackClient::setAutoConnect(bool on) {
    autoConnect_ = on;
    std::lock_guard lock(openMutex_);
    if (on && client_ && !lost_) connectToSystem();
}

JackClient::Clock::duration JackClient::latency() const {
    return JackTiming::latency(client_ ? jack_get_buffer_size(client_) : 0, rate_);
}

std::uint32_t JackClient::frameAt(Clock::time_point at) const {
    return cycleClock_.frameAt(at);
}

void JackClient::setAudioSource(AudioSource source) {
    std::lock_guard lock(sourceMutex_);
    source_ = std::move(source);
}

void JackClient::sendMidi(Clock::time_point at, const QByteArray& bytes) {
    if (!client_ || lost_ || bytes.isEmpty()) return;
    const Clock::time_point due = at + latency();
    std::lock_guard lock(midiMutex_);
    pending_.push_back({due, bytes});
}

void JackClient::clearMidi() {
    std::lock_guard lock(midiMutex_);
    pending_.clear();
}

void JackClient::withdrawMidi(Clock::time_point after) {
    const Clock::time_point due = after + latency();
    std::lock_guard lock(midiMutex_);
    std::erase_if(pending_, [due](const Pending& p) { return p.due > due; });
}

int JackClient::process(std::uint32_t frames, void* self) {
    auto* me = static_cast<JackClient*>(self);
    const std::uint32_t cycleStart = jack_last_frame_time(me->client_);
    // When the cycle began by the server's clock, on the steady clock.
    const auto sinceStart = std::chrono::microseconds(
        qint64(jack_get_time()) - qint64(jack_frames_to_time(me->client_, cycleStart)));
    me->cycleClock_.cycle(cycleStart, frames, me->rate_, Clock::now() - sinceStart);
    auto* left = static_cast<float*>(jack_port_get_buffer(me->left_, frames));
    auto* right = static_cast<float*>(jack_port_get_buffer(me->right_, frames));
    {
        std::lock_guard lock(me->sourceMutex_);
        if (me->source_) {
            me->source_(left, right, frames, cycleStart);
        } else {
            std::fill_n(left, frames, 0.0f);
            std::fill_n(right, frames, 0.0f);
        }
    }
    void* midi = jack_port_get_buffer(me->midi_, frames);
    jack_midi_clear_buffer(midi);
    me->writeMidi(midi, cycleStart, frames);
    return 0;
}

// Messages of this cycle go out at their frames in time order, late ones at its start; a
// message too long for the room left is dropped. A message's frame is found in the cycle
// it is due in, from the server's clock as it stands then.
void JackClient::writeMidi(void* buffer, std::uint32_t cycleStart, std::uint32_t frames) {
    std::lock_guard lock(midiMutex_);
    if (pending_.empty()) return;
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const Pending& a, const Pending& b) { return a.due < b.due; });
    size_t sent = 0;
    for (; sent < pending_.size(); ++sent) {
        const int offset =
            JackTiming::offsetInCycle(frameAt(pending_[sent].due), cycleStart, frames);
        if (offset < 0) break;
        const QByteArray& bytes = pending_[sent].bytes;
        jack_midi_event_write(buffer, std::uint32_t(offset),
                              reinterpret_cast<const jack_midi_data_t*>(bytes.constData()),
                              size_t(bytes.size()));
    }
    pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(sent));
}

}  // namespace midi::detail
