#include "midifile.h"

namespace {

quint32 bigEndian(const QByteArray& b, qsizetype pos, int count) {
    quint32 value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | quint8(b[pos + i]);
    return value;
}

bool readQuantity(const QByteArray& b, qsizetype* pos, qsizetype end, quint32* value) {
    *value = 0;
    for (int i = 0; i < 4 && *pos < end; ++i) {
        const quint8 byte = quint8(b[(*pos)++]);
        *value = (*value << 7) | (byte & 0x7F);
        if (!(byte & 0x80)) return true;
    }
    return false;
}

bool readTrack(const QByteArray& b, qsizetype pos, qsizetype end, MidiFile* file) {
    double seconds = 0, microseconds = 500000;
    int running = 0;
    while (pos < end) {
        quint32 delta = 0, count = 0;
        if (!readQuantity(b, &pos, end, &delta) || pos >= end) return false;
        seconds += delta * microseconds / 1e6 / 96;
        MidiEvent event{seconds, quint8(b[pos]), {}};
        if (event.status < 0x80 && !running) return false;
        file->runningStatusEvents += event.status < 0x80;
        event.status < 0x80 ? event.status = running : ++pos;
        if (event.status >= 0xF0) {
            running = 0;
            if (event.status == 0xFF && pos < end) event.data.append(b[pos++]);
            if (!readQuantity(b, &pos, end, &count)) return false;
        } else {
            running = event.status;
            count = (event.status & 0xE0) == 0xC0 ? 1 : 2;
        }
        if (pos + qsizetype(count) > end) return false;
        event.data += b.mid(pos, count);
        pos += count;
        if (event.status == 0xFF && event.data[0] == 0x51)
            microseconds = bigEndian(event.data, 1, 3);
        file->events << event;
    }
    return true;
}

}  // namespace

MidiFile MidiFile::read(const QByteArray& b) {
    MidiFile file;
    if (!b.startsWith(QByteArray::fromHex("4D546864 00000006 0001 0003 0060"))) return file;
    qsizetype pos = 14;
    int tracks = 0;
    for (; pos + 8 <= b.size(); ++tracks) {
        const qsizetype end = pos + 8 + bigEndian(b, pos + 4, 4);
        if (b.mid(pos, 4) != "MTrk" || end > b.size() || !readTrack(b, pos + 8, end, &file))
            return file;
        pos = end;
    }
    file.valid = pos == b.size() && tracks == 3;
    return file;
}

QByteArray MidiFile::meta(int type) const {
    for (const MidiEvent& e : events)
        if (e.status == 0xFF && e.data[0] == type) return e.data.mid(1);
    return {};
}

QList<MidiEvent> MidiFile::eventsOf(int status) const {
    QList<MidiEvent> found;
    for (const MidiEvent& e : events)
        if (e.status == status) found << e;
    return found;
}
