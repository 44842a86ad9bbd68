#include "pulsestream.h"

#include "pulselibrary.h"

#include <pulse/pulseaudio.h>

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <cmath>

namespace midi::detail {

namespace {

constexpr pa_usec_t kAnswerWithinUsec = 1000 * 1000;
constexpr size_t kFrameBytes = 2 * sizeof(float);
// The real-time priority FluidSynth's own audio drivers take; where the system refuses it,
// the thread keeps its normal priority.
constexpr int kRealtimePriority = 60;

void raisePriority() {
    sched_param param{};
    param.sched_priority = kRealtimePriority;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &param);
}

class Locked {
public:
    explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~Locked() { pa_threaded_mainloop_unlock(loop_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    pa_threaded_mainloop* loop_;
};

pa_usec_t microseconds(std::chrono::steady_clock::duration d) {
    return pa_usec_t(std::chrono::duration_cast<std::chrono::microseconds>(d).count());
}

}  // namespace

PulseStream::~PulseStream() {
    close();
}

void PulseStream::close() {
    if (!loop_) return;
    {
        Locked lock(loop_);
        if (stream_) {
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
        }
        if (context_) {
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
    }
    pa_threaded_mainloop_stop(loop_);
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
    context_ = nullptr;
    stream_ = nullptr;
    rate_ = 0;
}

int PulseStream::rateFor(std::uint32_t sinkRate, int fallback) {
    if (sinkRate < std::uint32_t(kLowestRate) || sinkRate > std::uint32_t(kHighestRate))
        return fallback;
    return int(sinkRate);
}

bool PulseStream::connect(int fallbackRate, QString* error) {
    close();
    lost_ = false;
    if (!PulseLibrary::load()) {
        if (error)
            *error = QStringLiteral("the sound server library %1 could not be opened")
                         .arg(QString::fromLatin1(PulseLibrary::soname()));
        return false;
    }
    loop_ = pa_threaded_mainloop_new();
    if (!loop_ || pa_threaded_mainloop_start(loop_) < 0) {
        if (error) *error = QStringLiteral("no PulseAudio main loop");
        close();
        return false;
    }
    bool connected = false;
    {
        Locked lock(loop_);
        connected = connectContext(error);
        if (connected) rate_ = rateFor(askSinkRate(), fallbackRate);
    }
    if (!connected) close();
    return connected;
}

bool PulseStream::open(Render render, QString* error) {
    if (!context_) return false;
    render_ = std::move(render);
    bool opened = false;
    {
        Locked lock(loop_);
        opened = connectStream(error);
    }
    if (!opened) close();
    return opened;
}

void PulseStream::signal(void* self) {
    pa_threaded_mainloop_signal(static_cast<PulseStream*>(self)->loop_, 0);
}

// With the loop locked. Waits until done, or for at most the given time.
bool PulseStream::waitUntil(const std::function<bool()>& done, pa_usec_t within) {
    timedOut_ = false;
    pa_time_event* timeout = pa_context_rttime_new(
        context_, pa_rtclock_now() + within,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            static_cast<PulseStream*>(self)->timedOut_ = true;
            signal(self);
        },
        this);
    while (!done() && !timedOut_) pa_threaded_mainloop_wait(loop_);
    pa_threaded_mainloop_get_api(loop_)->time_free(timeout);
    return done();
}

bool PulseStream::connectContext(QString* error) {
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Beatloft");
    if (!context_) return false;
    pa_context_set_state_callback(
        context_, [](pa_context*, void* self) { signal(self); }, this);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        if (error) *error = QString::fromUtf8(pa_strerror(pa_context_errno(context_)));
        return false;
    }
    const bool ready = waitUntil(
                           [this] {
                               const pa_context_state_t state = pa_context_get_state(context_);
                               return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
                           },
                           kAnswerWithinUsec) &&
                       pa_context_get_state(context_) == PA_CONTEXT_READY;
    if (!ready && error) *error = QStringLiteral("no PulseAudio server answers");
    return ready;
}

// With the loop locked: the default sink's rate, or the server's default rate where it
// names no default sink; 0 where the server does not tell.
std::uint32_t PulseStream::askSinkRate() {
    sinkRate_ = 0;
    sinkAnswered_ = false;
    pa_operation* asked = pa_context_get_server_info(context_, &PulseStream::serverInfo, this);
    if (!asked) return 0;
    pa_operation_unref(asked);
    waitUntil([this] { return sinkAnswered_; }, kAnswerWithinUsec);
    return sinkRate_;
}

void PulseStream::serverInfo(pa_context* context, const pa_server_info* info, void* self) {
    auto* me = static_cast<PulseStream*>(self);
    if (info) me->sinkRate_ = info->sample_spec.rate;
    pa_operation* asked = info && info->default_sink_name
                              ? pa_context_get_sink_info_by_name(context, info->default_sink_name,
                                                                 &PulseStream::sinkInfo, self)
                              : nullptr;
    if (asked) return pa_operation_unref(asked);
    me->sinkAnswered_ = true;
    signal(self);
}

// last is 1 after the sink's entry, negative where the server has no such sink.
void PulseStream::sinkInfo(pa_context*, const pa_sink_info* info, int last, void* self) {
    auto* me = static_cast<PulseStream*>(self);
    if (info && last == 0) me->sinkRate_ = info->sample_spec.rate;
    if (last == 0) return;
    me->sinkAnswered_ = true;
    signal(self);
}

bool PulseStream::connectStream(QString* error) {
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32NE, uint32_t(rate_), 2};
    stream_ = pa_stream_new(context_, "Beatloft", &spec, nullptr);
    if (!stream_) return false;
    pa_stream_set_state_callback(
        stream_,
        [](pa_stream* stream, void* self) {
            if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
                static_cast<PulseStream*>(self)->lost_ = true;
            signal(self);
        },
        this);
    pa_stream_set_write_callback(stream_, &PulseStream::write, this);
    // No prebuffering: the stream plays from its first frame and never waits to refill,
    // so its frames keep their place on the device's clock.
    pa_buffer_attr buffer{};
    buffer.maxlength = uint32_t(-1);
    buffer.tlength = uint32_t(pa_usec_to_bytes(microseconds(kBuffer), &spec));
    buffer.prebuf = 0;
    buffer.minreq = uint32_t(pa_usec_to_bytes(microseconds(kBuffer) / 4, &spec));
    buffer.fragsize = uint32_t(-1);
    // Set before the stream connects: its first request may come while we wait for it.
    pieceFrames_ = std::max<std::size_t>(
        1, std::size_t(std::llround(rate_ * std::chrono::duration<double>(kPiece).count())));
    // A request asks for at most the buffer; room for a few keeps the thread from allocating.
    samples_.reserve(2 * 4 * buffer.tlength / kFrameBytes);
    if (pa_stream_connect_playback(stream_, nullptr, &buffer, PA_STREAM_ADJUST_LATENCY, nullptr,
                                   nullptr) < 0) {
        if (error) *error = QString::fromUtf8(pa_strerror(pa_context_errno(context_)));
        return false;
    }
    const bool ready = waitUntil(
                           [this] {
                               const pa_stream_state_t state = pa_stream_get_state(stream_);
                               return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
                           },
                           kAnswerWithinUsec) &&
                       pa_stream_get_state(stream_) == PA_STREAM_READY;
    if (!ready) {
        if (error) *error = QStringLiteral("the PulseAudio stream did not start");
        return false;
    }
    const pa_buffer_attr* granted = pa_stream_get_buffer_attr(stream_);
    latency_ = std::chrono::microseconds(pa_bytes_to_usec(granted->tlength, &spec));

    return true;
}

// With the loop locked.
void PulseStream::cork(bool paused) {
    if (pa_operation* done = pa_stream_cork(stream_, paused ? 1 : 0, nullptr, nullptr))
        pa_operation_unref(done);
}

void PulseStream::resume() {
    if (!loop_) return;
    Locked lock(loop_);
    pace_ = Pace::First;
    cork(false);
}

// Renders the whole pieces of what the server asks for; the server asks for the rest again.
void PulseStream::write(pa_stream* stream, size_t bytes, void* self) {
    auto* me = static_cast<PulseStream*>(self);
    const Clock::time_point now = Clock::now();
    if (me->pace_ == Pace::First) raisePriority();
    const size_t asked = bytes / kFrameBytes;
    const size_t frames = asked - asked % me->pieceFrames_;
    if (frames == 0) return;
    me->samples_.resize(2 * frames);
    const bool goOn = me->render_(me->samples_.data(), int(frames), int(asked), now, me->pace_);
    me->pace_ = Pace::Steady;
    me->writePieces(stream, frames);
    if (!goOn) me->cork(true);
}

void PulseStream::writePieces(pa_stream* stream, std::size_t frames) {
    for (size_t at = 0; at < frames; at += pieceFrames_)
        pa_stream_write(stream, samples_.data() + 2 * at, pieceFrames_ * kFrameBytes, nullptr, 0,
                        PA_SEEK_RELATIVE);
}

}  // namespace midi::detail
