#include "smfreader.h"

#include "midifile/smfbuilder.h"
#include "shared/windowscodepage.h"

namespace {

quint32 bigEndian(const QByteArray& bytes, qint64 at, int count) {
    quint32 value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | quint8(bytes[at + i]);
    return value;
}

// Data bytes that follow a channel status: one for program change and channel pressure.
int dataBytesOf(quint8 status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

}  // namespace

std::optional<SmfContents> SmfReader::read(const QByteArray& bytes, QString* error) {
    SmfReader reader(bytes);
    int tracks = 0;
    bool ok = bytes.size() <= kMaxFileSize || reader.fail(tr("Datei zu groß"));
    ok = ok && reader.readHeader(&tracks);
    for (int track = 0; ok && track < tracks; ++track) ok = reader.readTrack();
    if (ok) return reader.contents_;
    if (error) *error = reader.error_;
    return std::nullopt;
}

bool SmfReader::readHeader(int* tracks) {
    end_ = bytes_.size();
    if (!has(14) || !bytes_.startsWith("MThd") || bigEndian(bytes_, 4, 4) < 6)
        return fail(tr("keine MIDI-Datei"));
    const quint32 length = bigEndian(bytes_, 4, 4);
    const int format = int(bigEndian(bytes_, 8, 2));
    *tracks = int(bigEndian(bytes_, 10, 2));
    const quint32 division = bigEndian(bytes_, 12, 2);
    if (format > 1) return fail(tr("MIDI-Format %1 wird nicht unterstützt").arg(format));
    if (division & 0x8000) return fail(tr("SMPTE-Zeitbasis wird nicht unterstützt"));
    if (division == 0) return fail(tr("Zeitbasis 0"));
    contents_.division = int(division);
    if (!has(8 + qint64(length))) return fail(tr("Kopf kürzer als angegeben"));
    at_ = 8 + qint64(length);
    return true;
}

// A chunk other than a track is skipped, as the format asks of readers.
bool SmfReader::readTrack() {
    for (;;) {
        end_ = bytes_.size();
        if (!has(8)) return fail(tr("Spur fehlt"));
        const bool isTrack = bytes_.mid(at_, 4) == "MTrk";
        const qint64 length = bigEndian(bytes_, at_ + 4, 4);
        at_ += 8;
        if (!has(length)) return fail(tr("Spur kürzer als angegeben"));
        end_ = at_ + length;
        if (isTrack) break;
        at_ = end_;
    }
    qint64 tick = 0;
    quint8 runningStatus = 0;
    bool ended = false;
    while (!ended && at_ < end_) {
        quint32 delta = 0;
        if (!readVariableLength(&delta)) return false;
        tick += delta;
        if (!readEvent(tick, &runningStatus, &ended)) return false;
    }
    contents_.endTick = std::max(contents_.endTick, tick);
    at_ = end_;
    return true;
}

bool SmfReader::readEvent(qint64 tick, quint8* runningStatus, bool* ended) {
    if (!has(1)) return fail(tr("Ereignis fehlt"));
    quint8 status = quint8(bytes_[at_]);
    if (status < 0x80) {
        if (!*runningStatus) return fail(tr("Daten ohne Statusbyte"));
        status = *runningStatus;
    } else {
        ++at_;
    }
    if (status == 0xFF) return readMeta(ended);
    if (status == 0xF0 || status == 0xF7) {  // system exclusive: skipped
        quint32 length = 0;
        if (!readVariableLength(&length)) return false;
        if (!has(length)) return fail(tr("Systemexklusive Daten kürzer als angegeben"));
        at_ += length;
        return true;
    }
    if (status >= 0xF0) return fail(tr("unerlaubtes Statusbyte %1").arg(status, 2, 16));
    *runningStatus = status;
    const int count = dataBytesOf(status);
    if (!has(count)) return fail(tr("Ereignis kürzer als angegeben"));
    const int note = next();
    const int velocity = count == 2 ? next() : 0;
    if (note > 127 || velocity > 127) return fail(tr("Datenbyte über 127"));
    if ((status & 0xF0) != 0x90 || velocity == 0) return true;  // a note on of 0 ends a note
    if (contents_.notes.size() >= kMaxNotes)
        return fail(tr("zu viele Noten (höchstens %1)").arg(kMaxNotes));
    contents_.notes.append({tick, status & 0x0F, note, velocity});
    return true;
}

bool SmfReader::readMeta(bool* ended) {
    if (!has(1)) return fail(tr("Meta-Ereignis fehlt"));
    const quint8 type = next();
    quint32 length = 0;
    if (!readVariableLength(&length)) return false;
    if (!has(length)) return fail(tr("Meta-Ereignis kürzer als angegeben"));
    const QByteArray data = bytes_.mid(at_, length);
    at_ += length;
    if (type == 0x2F) *ended = true;
    if (type == 0x51 && length == 3 && !tempoSeen_ && bigEndian(data, 0, 3) > 0) {
        contents_.microsecondsPerQuarter = bigEndian(data, 0, 3);
        tempoSeen_ = true;
    }
    if (type == 0x58 && length == 4 && !meterSeen_ && data[0] && quint8(data[1]) < 8) {
        contents_.beatsPerBar = quint8(data[0]);
        contents_.noteValue = 1 << quint8(data[1]);
        contents_.timeSignatureLastByte = quint8(data[3]);
        meterSeen_ = true;
    }
    const QString text = fromWindowsCodePage(data);
    if (type == 0x02 && text == SmfBuilder::kNotice) contents_.fromThisProgram = true;
    if (type == 0x03 && contents_.name.isEmpty() && text != SmfBuilder::kNotice)
        contents_.name = text;
    return true;
}

// At most four bytes, seven bits each, as the format allows.
bool SmfReader::readVariableLength(quint32* value) {
    *value = 0;
    for (int i = 0; i < 4; ++i) {
        if (!has(1)) return fail(tr("Zeitangabe fehlt"));
        const quint8 byte = next();
        *value = *value << 7 | (byte & 0x7F);
        if (!(byte & 0x80)) return true;
    }
    return fail(tr("Längenangabe über vier Bytes"));
}

bool SmfReader::fail(const QString& reason) {
    error_ = reason;
    return false;
}
