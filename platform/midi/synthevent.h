#pragma once

#include <QByteArray>
#include <cstdint>

namespace midi::detail {

// One thing the synthesizer is told to do at a given time.
struct SynthEvent {
    // Echo: what a note-on (message) does to the voices sounding, without being heard.
    enum class Kind { Short, Long, Silence, Echo };

    static SynthEvent shortMessage(std::uint32_t message) { return {Kind::Short, message, {}}; }
    static SynthEvent longMessage(const QByteArray& sysex) { return {Kind::Long, 0, sysex}; }
    static SynthEvent silence() { return {Kind::Silence, 0, {}}; }
    static SynthEvent echo(std::uint32_t noteOn) { return {Kind::Echo, noteOn, {}}; }

    bool isNoteOn() const {
        return kind == Kind::Short && (message & 0xF0) == 0x90 && (message >> 16 & 0x7F) != 0;
    }

    Kind kind = Kind::Short;
    std::uint32_t message = 0;  // packed short message
    QByteArray sysex;           // a complete block with 0xF0 and 0xF7
};

}  // namespace midi::detail
