#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

typedef struct pa_threaded_mainloop pa_threaded_mainloop;
typedef struct pa_context pa_context;
typedef struct pa_stream pa_stream;
typedef uint64_t pa_usec_t;

namespace midi::detail {

// A stereo float playback stream to the PulseAudio server with a short buffer of our
// choice, filled on the client library's thread whenever the server asks for frames.
class PulseStream {
public:
    using Clock = std::chrono::steady_clock;
    // How a request stands to the device's playing: the first one fills the buffer before
    // the device plays, the others come as it plays.
    enum class Pace { First, Steady };
    // Fills frames interleaved stereo frames, asked for at now; false pauses the stream
    // after them.
    using Render = std::function<bool(float* stereo, int frames, Clock::time_point now, Pace pace)>;
    // The buffer the stream keeps: from a request until its frames are heard.
    static constexpr Clock::duration kBuffer = std::chrono::milliseconds(6);

    PulseStream() = default;
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

    // Connects to the server and starts the stream; false with a reason in *error when
    // there is no server or it does not answer within a second. render is called from then on, on
    // the client library's thread.
    bool open(int rate, Render render, QString* error = nullptr);
    // The time from a request until its last frame is heard, as the server set it up.
    Clock::duration latency() const { return latency_; }
    // A paused stream plays again; its first request fills the buffer anew (Pace::First).
    // Not on the client library's thread.
    void resume();
    // The server went away or ended the stream: nothing asks for frames any more.
    bool isLost() const { return lost_; }

private:
    bool connectContext(QString* error);
    bool connectStream(int rate, QString* error);
    bool waitUntil(const std::function<bool()>& done, pa_usec_t within);
    void close();
    static void signal(void* self);
    static void write(pa_stream* stream, size_t bytes, void* self);
    void cork(bool paused);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    Render render_;
    Clock::duration latency_{};
    Pace pace_ = Pace::First;  // with the loop locked
    bool timedOut_ = false;
    std::atomic<bool> lost_{false};
};

}  // namespace midi::detail
