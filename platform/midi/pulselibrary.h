#pragma once

#include "dynamiclibrary.h"

#include <pulse/pulseaudio.h>

namespace midi::detail {

// The sound server's client library brings two dozen more (libsndfile with its codecs,
// systemd's), which a window would load before its first paint and a render never needs.
// It is opened when the first stream connects.
class PulseLibrary {
public:
    // Opens the library and finds every call, once; false when that failed.
    static bool load();
    static const char* soname();
};

// clang-format off
#define BEATLOFT_PULSE_CALLS(X)                                                                \
    X(pa_threaded_mainloop_new) X(pa_threaded_mainloop_free) X(pa_threaded_mainloop_start)     \
    X(pa_threaded_mainloop_stop) X(pa_threaded_mainloop_lock) X(pa_threaded_mainloop_unlock)   \
    X(pa_threaded_mainloop_wait) X(pa_threaded_mainloop_signal)                                \
    X(pa_threaded_mainloop_get_api) X(pa_context_new) X(pa_context_unref)                      \
    X(pa_context_connect) X(pa_context_disconnect) X(pa_context_get_state)                     \
    X(pa_context_errno) X(pa_context_set_state_callback) X(pa_context_rttime_new)              \
    X(pa_context_get_server_info) X(pa_context_get_sink_info_by_name) X(pa_stream_new)         \
    X(pa_stream_unref) X(pa_stream_connect_playback) X(pa_stream_disconnect)                   \
    X(pa_stream_get_state) X(pa_stream_set_state_callback) X(pa_stream_set_write_callback)     \
    X(pa_stream_begin_write) X(pa_stream_write) X(pa_stream_cancel_write) X(pa_stream_cork)    \
    X(pa_stream_get_buffer_attr) X(pa_operation_unref) X(pa_strerror) X(pa_rtclock_now)        \
    X(pa_usec_to_bytes) X(pa_bytes_to_usec)
// clang-format on

#define BEATLOFT_LIBRARY_SPACE pulsecall
BEATLOFT_DECLARE_LIBRARY(BEATLOFT_PULSE_CALLS)
#undef BEATLOFT_LIBRARY_SPACE

}  // namespace midi::detail
