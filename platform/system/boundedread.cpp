#include "boundedread.h"

#include <QIODevice>
#include <algorithm>

namespace sys {

QByteArray readAtMost(QIODevice& device, qint64 most) {
    constexpr qint64 kChunk = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() < most) {
        const QByteArray chunk = device.read(std::min(kChunk, most - bytes.size()));
        if (chunk.isEmpty()) break;
        bytes += chunk;
    }
    return bytes;
}

}  // namespace sys
