#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Reads little-endian numbers and byte runs from a block of data without ever reading past
// its end: a read that needs more bytes than remain reads nothing and returns false.
class LittleEndianReader {
public:
    explicit LittleEndianReader(QByteArrayView data) : data_(data) {}

    qsizetype position() const { return pos_; }
    qsizetype remaining() const { return data_.size() - pos_; }

    bool readInt16(qint16* value);
    bool readUInt16(quint16* value);
    bool readInt32(qint32* value);
    // Copies `count` bytes; checked against what remains before anything is allocated.
    bool readBytes(qsizetype count, QByteArray* bytes);
    bool readRaw(qsizetype count, char* out);

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
};
