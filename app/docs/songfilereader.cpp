#include "songfilereader.h"

#include "shared/patternstore.h"

#include <algorithm>

SongLoadResult SongFileReader::read(const QString& path, PatternStore* store) {
    QByteArray bytes;
    if (const auto error = SongCodec::readFile(path, &bytes)) {
        SongLoadResult result;
        result.error = error;
        return result;
    }
    return SongCodec::decodeSong(bytes, store);
}

int SongFileReader::songRows(const SongLoadResult& result) {
    return std::clamp(result.rowCount.value_or(0), 0, PatternStore::kMaxSongRows);
}
