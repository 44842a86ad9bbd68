#include "builtinsynth.h"

#include "fluidsynthengine.h"

namespace midi::detail {

namespace {

const char kSynthKey[] = "synth";

class SynthConnection : public OutputConnection {
public:
    Result open() {
        const Result result = engine_.create(44100.0);
        if (result == kNoError) engine_.startAudio();
        return result;
    }
    Result sendShort(std::uint32_t message) override {
        engine_.shortMessage(message);
        return kNoError;
    }
    Result sendLong(const QByteArray& bytes, int* holdMs) override {
        engine_.longMessage(bytes);
        *holdMs = 0;
        return kNoError;
    }
    Result reset() override {
        engine_.reset();
        return kNoError;
    }

private:
    FluidSynthEngine engine_;
};

}  // namespace

QList<PortInfo> BuiltinSynth::outputs() {
    return {PortInfo{QString::fromLatin1(kSynthKey), QString::fromLatin1(productName())}};
}

Result BuiltinSynth::openOutput(const QString& key, std::unique_ptr<OutputConnection>* connection) {
    if (key != QLatin1String(kSynthKey)) return kBadDeviceId;
    auto synth = std::make_unique<SynthConnection>();
    const Result result = synth->open();
    if (result == kNoError) *connection = std::move(synth);
    return result;
}

}  // namespace midi::detail
