// Feeds arbitrary bytes to the song reader as a song file would reach it. Checks that every
// record read whole is written back byte for byte and that a song read without an error is
// saved and read back to the same records.
#include "song/littleendianreader.h"
#include "song/patternstore.h"
#include "song/songcodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void checkRecordsRoundTrip(const QByteArray& bytes, const PatternStore& store, int records) {
    if (records == 0) return;
    LittleEndianReader reader(bytes);
    QByteArray skipped;
    check(reader.readBytes(SongCodec::kHeaderBytes + 2, &skipped));
    for (int row = 1; row <= records; ++row) {
        const qsizetype start = reader.position();
        StoredPattern record;
        check(!SongCodec::decodeRecord(reader, &record));
        check(record == store[row]);
        check(SongCodec::encodeRecord(record) == bytes.mid(start, reader.position() - start));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    PatternStore store;
    const SongLoadResult result = SongCodec::decodeSong(bytes, &store);
    check(result.recordsRead >= 0 && result.recordsRead <= PatternStore::kMaxSongRows);
    check(!result.rowCount || result.recordsRead <= *result.rowCount);
    check(result.error || (result.rowCount && result.recordsRead == *result.rowCount));
    checkRecordsRoundTrip(bytes, store, result.recordsRead);
    if (result.error) return 0;

    const QByteArray saved = SongCodec::encodeSong(result.header, store, result.recordsRead);
    PatternStore reloaded;
    const SongLoadResult again = SongCodec::decodeSong(saved, &reloaded);
    check(!again.error && again.recordsRead == result.recordsRead);
    for (int row = 1; row <= result.recordsRead; ++row) check(reloaded[row] == store[row]);
    return 0;
}
