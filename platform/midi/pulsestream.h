#pragma once

#include <QString>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

typedef struct pa_threaded_mainloop pa_threaded_mainloop;
typedef struct pa_context pa_context;
typedef struct pa_stream pa_stream;
typedef struct pa_server_info pa_server_info;
typedef struct pa_sink_info pa_sink_info;
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
    // The server asked at now for asked frames beyond those rendered so far; fills the first
    // frames of them, interleaved stereo, and the rest are asked for again next time.
    // False pauses the stream after them.
    using Render =
        std::function<bool(float* stereo, int frames, int asked, Clock::time_point now, Pace pace)>;
    // The buffer the stream keeps: from a request until its frames are heard.
    static constexpr Clock::duration kBuffer = std::chrono::milliseconds(6);
    // The stream writes whole pieces of this length (64 frames at 44.1 kHz), one write
    // each, and leaves the rest of a request for the next. A null or timer-driven sink
    // advances its clock by each piece it mixes, rounded to whole microseconds, so writes of
    // changing lengths make its clock wander and the notes with it; equal ones keep it steady.
    static constexpr Clock::duration kPiece = std::chrono::microseconds(1450);

    PulseStream() = default;
    ~PulseStream();
    PulseStream(const PulseStream&) = delete;
    PulseStream& operator=(const PulseStream&) = delete;

    // The lowest and highest sink rate the stream follows; at any other the server resamples.
    static constexpr int kLowestRate = 22050;
    static constexpr int kHighestRate = 192000;

    // The rate the stream plays at: the sink's, so the server does not resample it, or
    // fallback where the sink's rate is unknown (0) or out of range.
    static int rateFor(std::uint32_t sinkRate, int fallback);

    // Connects to the server and asks for its default sink's rate; false with a reason in
    // *error when there is no server or it does not answer within a second. Any earlier
    // connection is closed first.
    bool connect(int fallbackRate, QString* error = nullptr);
    // After connect(): the rate open() plays at (rateFor the default sink's).
    int rate() const { return rate_; }
    // After connect(), starts the stream at rate(); false with a reason in *error when the
    // server refuses it or does not answer within a second. render is called from then on,
    // on the client library's thread.
    bool open(Render render, QString* error = nullptr);
    // Ends the stream and the connection; render is not called any more.
    void close();
    // The time from a request until its last frame is heard, as the server set it up.
    Clock::duration latency() const { return latency_; }
    // A paused stream plays again; its first request fills the buffer anew (Pace::First).
    // Not on the client library's thread.
    void resume();
    // The server went away or ended the stream: nothing asks for frames any more.
    bool isLost() const { return lost_; }

private:
    bool connectContext(QString* error);
    std::uint32_t askSinkRate();
    bool connectStream(QString* error);
    bool waitUntil(const std::function<bool()>& done, pa_usec_t within);
    static void signal(void* self);
    static void serverInfo(pa_context* context, const pa_server_info* info, void* self);
    static void sinkInfo(pa_context* context, const pa_sink_info* info, int last, void* self);
    static void write(pa_stream* stream, size_t bytes, void* self);
    void writePieces(pa_stream* stream, std::size_t frames);
    void cork(bool paused);

    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    Render render_;
    Clock::duration latency_{};
    int rate_ = 0;
    std::uint32_t sinkRate_ = 0;  // with the loop locked, while connect() asks for it
    bool sinkAnswered_ = false;
    Pace pace_ = Pace::First;  // with the loop locked
    bool timedOut_ = false;
    std::atomic<bool> lost_{false};
    std::size_t pieceFrames_ = 1;
    std::vector<float> samples_;  // the frames of a request, before they are written
};

}  // namespace midi::detail
