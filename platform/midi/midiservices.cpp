#include "midiservices.h"

#include "alsabackend.h"
#include "backendchoice.h"
#include "inputport.h"
#include "jackbackend.h"
#include "jackclient.h"
#include "quietlibraries.h"
#include "servicesinternal.h"
#include "synthbackend.h"
#include "virtualbackend.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace midi {

namespace {

using detail::InputConnection;
using detail::InputPort;
using detail::MidiBackend;
using detail::OutputConnection;
using detail::PortInfo;

struct Device {
    MidiBackend* backend = nullptr;
    PortInfo port;
};

struct OpenOutput {
    MidiBackend* backend = nullptr;
    QString key;
    std::unique_ptr<OutputConnection> connection;
    std::map<MidiHeader*, std::uint64_t> held;  // long messages the device still keeps
};

struct OpenInput {
    MidiBackend* backend = nullptr;
    QString key;
    std::shared_ptr<InputPort> port;
    std::unique_ptr<InputConnection> connection;
};

// Every MidiServices call runs on the UI thread; only the device lists are also read by
// threads that inject into virtual inputs, so they alone are guarded.
struct State {
    State() { detail::keepJackServersDown(); }
    ~State() {
        if (preparing.joinable()) preparing.join();
        for (auto& [handle, input] : inputs) input.port->detach();
        inputs.clear();
        outputs.clear();
    }

    // The device list is read under scanMutex, on the preparing thread or the UI thread,
    // whichever comes first; the other waits for it.
    void scan() {
        std::lock_guard lock(scanMutex);
        scanBackends();
    }
    void ensureScanned() {
        std::lock_guard lock(scanMutex);
        if (!scanned) scanBackends();
    }
    // Output id, or the last where fewer exist, told that it is about to be prepared. Under
    // scanMutex, so that whoever waited for the list finds it expecting.
    Device expectOutput(unsigned id);
    // Until startPreparing() or, when that never comes, kPrepareDelay.
    void waitForPreparing();
    void scanBackends();
    // The lists are read under their lock; an unknown id gives a device without backend.
    unsigned count(const std::vector<Device>& list);
    Device device(const std::vector<Device>& list, unsigned id);
    Device outputDevice(unsigned id) { return device(outputList, id); }
    Device inputDevice(unsigned id) { return device(inputList, id); }
    Result caps(const std::vector<Device>& list, unsigned id, DeviceCaps* caps);
    OpenOutput* output(OutputHandle handle);
    OpenInput* input(InputHandle handle);
    static void markDone(MidiHeader* header);

    std::mutex scanMutex;
    std::mutex listMutex;
    bool scanned = false;             // with scanMutex held
    std::optional<bool> virtualOnly;  // unset: as BEATLOFT_MIDI_BACKENDS says
    std::vector<Device> outputList;
    std::vector<Device> inputList;

    detail::JackBackend jack;
    detail::VirtualBackend virtuals;
    detail::SynthBackend synth;

    std::uint32_t nextHandle = 1;
    std::uint64_t nextSend = 1;
    std::map<OutputHandle, OpenOutput> outputs;
    std::map<InputHandle, OpenInput> inputs;
    std::thread preparing;  // prepareOutput's work
    std::mutex preparingMutex;
    std::condition_variable preparingAllowed;
    bool mayPrepare = false;  // with preparingMutex held
};

State& state() {
    static State instance;
    return instance;
}

// Virtual devices are always listed, so BEATLOFT_MIDI_BACKENDS=virtual leaves only them.
bool backendWanted(const char* name, std::optional<bool> virtualOnly) {
    if (virtualOnly) return !*virtualOnly;
    return detail::backendChosen(name);
}

void State::scanBackends() {
    std::vector<Device> outs;
    std::vector<Device> ins;
    const auto add = [](std::vector<Device>* list, MidiBackend* backend,
                        const QList<PortInfo>& ports) {
        for (const PortInfo& port : ports) list->push_back(Device{backend, port});
    };
    MidiBackend* alsa = backendWanted("alsa", virtualOnly) ? detail::alsaBackend() : nullptr;
    if (alsa) {
        add(&outs, alsa, alsa->outputs());
        add(&ins, alsa, alsa->inputs());
    }
    if (backendWanted("jack", virtualOnly)) add(&outs, &jack, jack.outputs());
    add(&outs, &virtuals, virtuals.outputs());
    add(&ins, &virtuals, virtuals.inputs());
    if (backendWanted("synth", virtualOnly)) add(&outs, &synth, synth.outputs());
    std::lock_guard lock(listMutex);
    outputList = std::move(outs);
    inputList = std::move(ins);
    scanned = true;
}

Device State::expectOutput(unsigned id) {
    std::lock_guard lock(scanMutex);
    if (!scanned) scanBackends();
    Device device;
    {
        std::lock_guard listLock(listMutex);
        if (outputList.empty()) return device;
        device = outputList[std::min<size_t>(id, outputList.size() - 1)];
    }
    device.backend->expectOutput(device.port.key);
    return device;
}

void State::waitForPreparing() {
    std::unique_lock lock(preparingMutex);
    preparingAllowed.wait_for(lock, MidiServices::kPrepareDelay, [this] { return mayPrepare; });
}

unsigned State::count(const std::vector<Device>& list) {
    ensureScanned();
    std::lock_guard lock(listMutex);
    return static_cast<unsigned>(list.size());
}

Device State::device(const std::vector<Device>& list, unsigned id) {
    std::lock_guard lock(listMutex);
    return id < list.size() ? list[id] : Device{};
}

Result State::caps(const std::vector<Device>& list, unsigned id, DeviceCaps* caps) {
    ensureScanned();
    const Device found = device(list, id);
    if (!found.backend) return kBadDeviceId;
    if (!caps) return kInvalidParam;
    caps->productName = found.port.productName;
    return kNoError;
}

OpenOutput* State::output(OutputHandle handle) {
    const auto it = outputs.find(handle);
    return it == outputs.end() ? nullptr : &it->second;
}

OpenInput* State::input(InputHandle handle) {
    const auto it = inputs.find(handle);
    return it == inputs.end() ? nullptr : &it->second;
}

void State::markDone(MidiHeader* header) {
    header->flags = (header->flags & ~MidiHeader::kInQueue) | MidiHeader::kDone;
}

}  // namespace

MidiServices& MidiServices::instance() {
    static MidiServices services;
    state();
    return services;
}

// --- output ---

unsigned MidiServices::outputCount() {
    return state().count(state().outputList);
}

Result MidiServices::outputCaps(unsigned id, DeviceCaps* caps) {
    return state().caps(state().outputList, id, caps);
}

Result MidiServices::openOutput(unsigned id, OutputHandle* handle) {
    State& s = state();
    s.ensureScanned();
    if (!handle) return kInvalidParam;
    *handle = 0;
    const Device device = s.outputDevice(id);
    if (!device.backend) return kBadDeviceId;
    for (const auto& [open, output] : s.outputs)
        if (output.backend == device.backend && output.key == device.port.key) return kAllocated;
    std::unique_ptr<OutputConnection> connection;
    const Result result = device.backend->openOutput(device.port.key, &connection);
    if (result != kNoError) return result;
    if (!connection) return kError;
    *handle = s.nextHandle++;
    s.outputs[*handle] = OpenOutput{device.backend, device.port.key, std::move(connection), {}};
    return kNoError;
}

bool MidiServices::outputPlacesByTime(unsigned id) {
    State& s = state();
    s.ensureScanned();
    const Device device = s.outputDevice(id);
    return device.backend && device.backend->placesByTime(device.port.key);
}

void MidiServices::withdrawOutput(unsigned id, std::chrono::steady_clock::time_point after) {
    State& s = state();
    s.ensureScanned();
    const Device device = s.outputDevice(id);
    if (device.backend) device.backend->withdraw(device.port.key, after);
}

void MidiServices::prepareOutput(unsigned id) {
    State& s = state();
    if (s.preparing.joinable()) return;
    s.preparing = std::thread([&s, id] {
        const Device device = s.expectOutput(id);
        if (!device.backend) return;
        s.waitForPreparing();
        device.backend->prepareOutput(device.port.key);
    });
}

void MidiServices::startPreparing() {
    State& s = state();
    {
        std::lock_guard lock(s.preparingMutex);
        s.mayPrepare = true;
    }
    s.preparingAllowed.notify_all();
}

void MidiServices::finishPreparing() {
    State& s = state();
    startPreparing();
    if (s.preparing.joinable()) s.preparing.join();
}

Result MidiServices::closeOutput(OutputHandle handle) {
    State& s = state();
    OpenOutput* output = s.output(handle);
    if (!output) return kInvalidHandle;
    if (!output->held.empty()) return kStillPlaying;
    s.outputs.erase(handle);
    return kNoError;
}

Result MidiServices::shortMessage(OutputHandle handle, std::uint32_t message) {
    OpenOutput* output = state().output(handle);
    if (!output) return kInvalidHandle;
    return output->connection->sendShort(message);
}

Result MidiServices::prepareOutputHeader(OutputHandle handle, MidiHeader* header) {
    if (!state().output(handle)) return kInvalidHandle;
    if (!header || !header->data) return kInvalidParam;
    header->flags |= MidiHeader::kPrepared;
    return kNoError;
}

Result MidiServices::longMessage(OutputHandle handle, MidiHeader* header) {
    State& s = state();
    OpenOutput* output = s.output(handle);
    if (!output) return kInvalidHandle;
    if (!header) return kInvalidParam;
    if (!(header->flags & MidiHeader::kPrepared)) return kUnprepared;
    if (header->flags & MidiHeader::kInQueue) return kStillPlaying;
    header->flags = (header->flags & ~MidiHeader::kDone) | MidiHeader::kInQueue;
    int holdMs = 0;
    const Result result = output->connection->sendLong(
        QByteArray(header->data, static_cast<qsizetype>(header->bufferLength)), &holdMs);
    if (result != kNoError) {
        header->flags &= ~MidiHeader::kInQueue;
        return result;
    }
    QCoreApplication* app = QCoreApplication::instance();
    if (holdMs <= 0 || !app) {
        s.markDone(header);
        return kNoError;
    }
    const std::uint64_t send = s.nextSend++;
    output->held[header] = send;
    QTimer::singleShot(holdMs, app, [handle, header, send] {
        OpenOutput* held = state().output(handle);
        if (!held) return;
        const auto it = held->held.find(header);
        if (it == held->held.end() || it->second != send) return;  // reset meanwhile
        held->held.erase(it);
        State::markDone(header);
    });
    return kNoError;
}

Result MidiServices::unprepareOutputHeader(OutputHandle handle, MidiHeader* header) {
    if (!state().output(handle)) return kInvalidHandle;
    if (!header) return kInvalidParam;
    if (header->flags & MidiHeader::kInQueue) return kStillPlaying;
    header->flags &= ~MidiHeader::kPrepared;
    return kNoError;
}

Result MidiServices::resetOutput(OutputHandle handle) {
    State& s = state();
    OpenOutput* output = s.output(handle);
    if (!output) return kInvalidHandle;
    for (const auto& [header, send] : output->held) s.markDone(header);
    output->held.clear();
    return output->connection->reset();
}

// --- input ---

unsigned MidiServices::inputCount() {
    return state().count(state().inputList);
}

Result MidiServices::inputCaps(unsigned id, DeviceCaps* caps) {
    return state().caps(state().inputList, id, caps);
}

Result MidiServices::openInput(unsigned id, QObject* target, InputHandle* handle) {
    State& s = state();
    s.ensureScanned();
    if (!handle) return kInvalidParam;
    *handle = 0;
    const Device device = s.inputDevice(id);
    if (!device.backend) return kBadDeviceId;
    for (const auto& [open, input] : s.inputs)
        if (input.backend == device.backend && input.key == device.port.key) return kAllocated;
    std::shared_ptr<InputPort> port = InputPort::create(target);
    std::unique_ptr<InputConnection> connection;
    const Result result = device.backend->openInput(device.port.key, port, &connection);
    if (result != kNoError) {
        port->detach();
        return result;
    }
    if (!connection) return kError;
    *handle = s.nextHandle++;
    s.inputs[*handle] = OpenInput{device.backend, device.port.key, port, std::move(connection)};
    port->notify(InputNotification::Opened);
    return kNoError;
}

Result MidiServices::closeInput(InputHandle handle) {
    State& s = state();
    OpenInput* input = s.input(handle);
    if (!input) return kInvalidHandle;
    if (input->port->hasBuffers()) return kStillPlaying;
    input->port->stop();
    input->connection.reset();
    input->port->notify(InputNotification::Closed);
    input->port->detach();
    s.inputs.erase(handle);
    return kNoError;
}

Result MidiServices::prepareInputHeader(InputHandle handle, MidiHeader* header) {
    if (!state().input(handle)) return kInvalidHandle;
    if (!header || !header->data || header->bufferLength == 0) return kInvalidParam;
    header->flags |= MidiHeader::kPrepared;
    return kNoError;
}

Result MidiServices::unprepareInputHeader(InputHandle handle, MidiHeader* header) {
    if (!state().input(handle)) return kInvalidHandle;
    if (!header) return kInvalidParam;
    if (header->flags & MidiHeader::kInQueue) return kStillPlaying;
    header->flags &= ~MidiHeader::kPrepared;
    return kNoError;
}

Result MidiServices::addInputBuffer(InputHandle handle, MidiHeader* header) {
    OpenInput* input = state().input(handle);
    if (!input) return kInvalidHandle;
    if (!header || !header->data || header->bufferLength == 0) return kInvalidParam;
    if (!(header->flags & MidiHeader::kPrepared)) return kUnprepared;
    return input->port->addBuffer(header);
}

Result MidiServices::startInput(InputHandle handle) {
    OpenInput* input = state().input(handle);
    if (!input) return kInvalidHandle;
    input->port->start();
    return kNoError;
}

Result MidiServices::stopInput(InputHandle handle) {
    OpenInput* input = state().input(handle);
    if (!input) return kInvalidHandle;
    input->port->stop();
    return kNoError;
}

Result MidiServices::resetInput(InputHandle handle) {
    OpenInput* input = state().input(handle);
    if (!input) return kInvalidHandle;
    input->port->returnBuffers();
    return kNoError;
}

// --- configuration ---

void MidiServices::useVirtualOnly(bool on) {
    State& s = state();
    s.virtualOnly = on;
    s.scan();
}

void MidiServices::rescan() {
    state().scan();
}

void MidiServices::setJackAutoConnect(bool on) {
    detail::JackClient::instance().setAutoConnect(on);
}

// --- what VirtualDevices needs ---

namespace detail {

VirtualBackend& virtualBackend() {
    return state().virtuals;
}

namespace {
QString virtualKey(const std::vector<Device>& list, unsigned id) {
    if (id >= list.size() || list[id].backend != &state().virtuals) return {};
    return list[id].port.key;
}
unsigned idOf(const std::vector<Device>& list, const QString& key) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].backend == &state().virtuals && list[i].port.key == key)
            return static_cast<unsigned>(i);
    return static_cast<unsigned>(list.size());
}
}  // namespace

QString virtualOutputKey(unsigned id) {
    State& s = state();
    std::lock_guard lock(s.listMutex);
    return virtualKey(s.outputList, id);
}

QString virtualInputKey(unsigned id) {
    State& s = state();
    std::lock_guard lock(s.listMutex);
    return virtualKey(s.inputList, id);
}

unsigned virtualOutputId(const QString& key) {
    State& s = state();
    s.scan();
    std::lock_guard lock(s.listMutex);
    return idOf(s.outputList, key);
}

unsigned virtualInputId(const QString& key) {
    State& s = state();
    s.scan();
    std::lock_guard lock(s.listMutex);
    return idOf(s.inputList, key);
}

void removeVirtualDevices() {
    State& s = state();
    for (auto it = s.inputs.begin(); it != s.inputs.end();) {
        if (it->second.backend == &s.virtuals) {
            it->second.port->detach();
            it = s.inputs.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = s.outputs.begin(); it != s.outputs.end();)
        it = it->second.backend == &s.virtuals ? s.outputs.erase(it) : std::next(it);
    s.virtuals.clear();
    s.scan();
}

}  // namespace detail

}  // namespace midi
