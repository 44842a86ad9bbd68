#pragma once

#include "dynamiclibrary.h"

#include <jack/jack.h>
#include <jack/midiport.h>

namespace midi::detail {

// The JACK client library is opened only where a JACK server may run, or when a library
// that needs it anyway is opened: a program without JACK never loads it.
class JackLibrary {
public:
    // Opens the library and finds every call, once; false when that failed.
    static bool load();
};

// clang-format off
#define BEATLOFT_JACK_CALLS(X)                                                                 \
    X(jack_client_open) X(jack_client_close) X(jack_activate) X(jack_port_register)           \
    X(jack_port_get_buffer) X(jack_port_name) X(jack_get_ports) X(jack_connect) X(jack_free)  \
    X(jack_set_process_callback) X(jack_on_shutdown) X(jack_get_sample_rate)                  \
    X(jack_get_buffer_size) X(jack_get_time) X(jack_last_frame_time) X(jack_frames_to_time)   \
    X(jack_midi_clear_buffer) X(jack_midi_event_write) X(jack_set_error_function)             \
    X(jack_set_info_function)
// clang-format on

#define BEATLOFT_LIBRARY_SPACE jackcall
BEATLOFT_DECLARE_LIBRARY(BEATLOFT_JACK_CALLS)
#undef BEATLOFT_LIBRARY_SPACE

}  // namespace midi::detail
