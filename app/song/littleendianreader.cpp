#include "littleendianreader.h"

#include <QtEndian>
#include <cstring>

bool LittleEndianReader::readRaw(qsizetype count, char* out) {
    if (count < 0 || count > remaining()) return false;
    if (count > 0) std::memcpy(out, data_.data() + pos_, std::size_t(count));
    pos_ += count;
    return true;
}

bool LittleEndianReader::readBytes(qsizetype count, QByteArray* bytes) {
    if (count < 0 || count > remaining()) return false;
    *bytes = data_.sliced(pos_, count).toByteArray();
    pos_ += count;
    return true;
}

bool LittleEndianReader::readInt16(qint16* value) {
    char raw[2];
    if (!readRaw(2, raw)) return false;
    *value = qFromLittleEndian<qint16>(raw);
    return true;
}

bool LittleEndianReader::readUInt16(quint16* value) {
    char raw[2];
    if (!readRaw(2, raw)) return false;
    *value = qFromLittleEndian<quint16>(raw);
    return true;
}

bool LittleEndianReader::readInt32(qint32* value) {
    char raw[4];
    if (!readRaw(4, raw)) return false;
    *value = qFromLittleEndian<qint32>(raw);
    return true;
}
