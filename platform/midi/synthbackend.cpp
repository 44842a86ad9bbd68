#include "synthbackend.h"

#include "messageclock.h"
#include "soundfontlocator.h"
#include "synthengine.h"

namespace midi::detail {

namespace {

const char kSynthKey[] = "synth";

// An open synthesizer device: attached to the process's one engine. Every message carries
// the time MessageClock gives; closing the device silences the engine.
class MidiOutSynth : public OutputConnection {
public:
    ~MidiOutSynth() override { send(SynthEvent::silence()); }
    Result sendShort(std::uint32_t message) override {
        send(SynthEvent::shortMessage(message));
        return kNoError;
    }
    Result sendLong(const QByteArray& bytes, int* holdMs) override {
        send(SynthEvent::longMessage(bytes));
        *holdMs = 0;
        return kNoError;
    }
    Result reset() override {
        send(SynthEvent::silence());
        return kNoError;
    }

private:
    static void send(const SynthEvent& event) {
        SynthEngine::instance().send(MessageClock::now(), event);
    }
};

}  // namespace

QList<PortInfo> SynthBackend::outputs() {
    return {PortInfo{QString::fromLatin1(kSynthKey), QString::fromLatin1(productName())}};
}

// While the engine starts on the preparing thread, the device opens at once where a sound
// font is there to load: what it sends is kept until the engine is ready. Otherwise the open
// waits for the start and reports its failure.
Result SynthBackend::openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) {
    if (key != QLatin1String(kSynthKey)) return kBadDeviceId;
    SynthEngine& engine = SynthEngine::instance();
    const bool started = engine.isStarting() && SoundFontLocator::hasAny();
    const Result result = started ? kNoError : engine.start();
    if (result == kNoError) *connection = std::make_unique<MidiOutSynth>();
    return result;
}

void SynthBackend::withdraw(const QString& key, std::chrono::steady_clock::time_point after) {
    if (key == QLatin1String(kSynthKey)) SynthEngine::instance().withdraw(after);
}

void SynthBackend::prepareOutput(const QString& key) {
    if (key == QLatin1String(kSynthKey)) SynthEngine::instance().start();
}

void SynthBackend::expectOutput(const QString& key) {
    if (key == QLatin1String(kSynthKey)) SynthEngine::instance().expectStart();
}

}  // namespace midi::detail
