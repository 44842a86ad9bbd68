#pragma once

#include "midiheader.h"
#include "midiresult.h"

#include <QString>
#include <chrono>
#include <cstdint>

class QObject;

namespace midi {

// Opaque handles; 0 is the null handle. A call on a null or closed handle gives
// kInvalidHandle.
using OutputHandle = std::uint32_t;
using InputHandle = std::uint32_t;

struct DeviceCaps {
    QString productName;
};

// The MIDI services of the system: numbered output and input devices over all backends
// (ALSA sequencer ports first, then the JACK MIDI output where a JACK server runs, the
// built-in synthesizer as the last output, or only
// virtual devices when BEATLOFT_MIDI_BACKENDS=virtual or useVirtualOnly(true)).
// Device numbers are fixed when the device list is first read (or re-read by rescan()).
// Every call is made on the UI thread.
class MidiServices {
public:
    static MidiServices& instance();

    // --- output ---
    unsigned outputCount();
    Result outputCaps(unsigned id, DeviceCaps* caps);
    Result openOutput(unsigned id, OutputHandle* handle);
    // Prepares the output the program is about to open, id or the last output where fewer
    // exist, on a thread of its own. That thread reads the device list first; calls that
    // need the list wait for it. The slow part (the built-in synthesizer loads its sound
    // font and makes its engines) waits for startPreparing(), at most kPrepareDelay, so
    // that it does not compete with drawing the window. The synthesizer opens at once
    // meanwhile and keeps what is sent until it is ready.
    void prepareOutput(unsigned id);
    static constexpr std::chrono::milliseconds kPrepareDelay{1500};
    // Lets the slow part of prepareOutput begin: the window has been drawn.
    void startPreparing();
    // Waits for what prepareOutput started. Called before the program's end: the preparing
    // thread uses Qt's globals, which the end of the process takes down.
    void finishPreparing();
    Result closeOutput(OutputHandle handle);
    // status in bits 0-7, data 1 in bits 8-15, data 2 in bits 16-23
    Result shortMessage(OutputHandle handle, std::uint32_t message);
    Result prepareOutputHeader(OutputHandle handle, MidiHeader* header);
    // Sends header->data[0..bufferLength); kUnprepared when the header was not prepared.
    // The device sets MidiHeader::kDone when it has finished with the block.
    Result longMessage(OutputHandle handle, MidiHeader* header);
    // kStillPlaying while the device has not finished with the block.
    Result unprepareOutputHeader(OutputHandle handle, MidiHeader* header);
    Result resetOutput(OutputHandle handle);
    // Whether output id plays each message at the time it carries (MessageClock), so that
    // messages may be sent ahead of their time; false for an unknown id.
    bool outputPlacesByTime(unsigned id);
    // Takes back the messages sent to output id stamped after `after` that it has not played
    // yet: what playback sent ahead of a stop. Only an output that places by time holds any.
    void withdrawOutput(unsigned id, std::chrono::steady_clock::time_point after);

    // --- input ---
    unsigned inputCount();
    Result inputCaps(unsigned id, DeviceCaps* caps);
    // Reports arrive as InputNotification events posted to target (Opened at once).
    Result openInput(unsigned id, QObject* target, InputHandle* handle);
    Result closeInput(InputHandle handle);  // kStillPlaying while buffers are lent
    Result prepareInputHeader(InputHandle handle, MidiHeader* header);
    Result unprepareInputHeader(InputHandle handle, MidiHeader* header);
    Result addInputBuffer(InputHandle handle, MidiHeader* header);
    Result startInput(InputHandle handle);
    Result stopInput(InputHandle handle);
    // Stops input and returns every lent buffer as done (a LongData report each).
    Result resetInput(InputHandle handle);

    // --- configuration ---
    // Only virtual devices (tests); re-reads the device list.
    void useVirtualOnly(bool on);
    // Re-reads the device list from the backends; open handles stay valid.
    void rescan();
    // Whether the program's JACK ports are connected to the system's playback ports.
    void setJackAutoConnect(bool on);
};

}  // namespace midi
