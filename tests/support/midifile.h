#pragma once

#include <QByteArray>
#include <QList>

// A small Standard MIDI File reader written from the file format, sharing nothing with the
// writer: chunks by their lengths, delta times as variable-length quantities, running status.
// Event times in seconds follow the tempo events of the same track, where this file has them.
struct MidiEvent {
    double seconds;
    int status;       // 0xFF for a meta event
    QByteArray data;  // a meta event's type first, then its text or value
};

struct MidiFile {
    bool valid = false;  // format 1, three tracks, 96 ticks per quarter note, nothing after them
    int runningStatusEvents = 0;
    QList<MidiEvent> events;  // track by track

    static MidiFile read(const QByteArray& bytes);
    // The text or value of the first meta event of the type; empty when there is none.
    QByteArray meta(int type) const;
    // The events of one status byte (0x99: note ons on channel 10) in file order.
    QList<MidiEvent> eventsOf(int status) const;
};
