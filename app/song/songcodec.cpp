#include "songcodec.h"

#include "shared/appversion.h"
#include "shared/windowscodepage.h"
#include "song/littleendianreader.h"
#include "song/patternstore.h"
#include "song/song.h"
#include "system/boundedread.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#include <QCoreApplication>
#include <QtEndian>
#include <algorithm>
#include <limits>

SongLoadError SongLoadError::fileNotFound() {
    return {53, QCoreApplication::translate("SongLoadError", "Datei nicht gefunden")};
}
SongLoadError SongLoadError::pastEndOfFile() {
    return {62, QCoreApplication::translate("SongLoadError", "Einlesen hinter Dateiende")};
}
SongLoadError SongLoadError::tooManyRows() {
    return {9,
            QCoreApplication::translate("SongLoadError", "Index außerhalb des gültigen Bereichs")};
}
SongLoadError SongLoadError::pathAccess() {
    return {75, QCoreApplication::translate("SongLoadError", "Fehler beim Zugriff auf Pfad/Datei")};
}
SongLoadError SongLoadError::typeMismatch() {
    return {13, QCoreApplication::translate("SongLoadError", "Typen unverträglich")};
}

namespace {

constexpr qint16 kStringVariant = 8;

template <typename T>
void appendLittleEndian(QByteArray* out, T value) {
    char raw[sizeof(T)];
    qToLittleEndian(value, raw);
    out->append(raw, sizeof(T));
}

// A text field: unsigned 16-bit length, then the bytes; a longer text is cut to fit.
void appendText(QByteArray* out, const QByteArray& text) {
    const QByteArray fitting = text.left(std::numeric_limits<quint16>::max());
    appendLittleEndian(out, quint16(fitting.size()));
    out->append(fitting);
}

bool readText(LittleEndianReader& reader, QByteArray* text) {
    quint16 length = 0;
    return reader.readUInt16(&length) && reader.readBytes(length, text);
}

// Bytes of a variant's value after its type code; -1 for a code this program does not take.
int fixedVariantSize(qint16 type) {
    switch (type) {
        case 0:
            return 0;  // empty
        case 17:
            return 1;  // byte
        case 2:
        case 11:
            return 2;  // integer, boolean
        case 3:
        case 4:
            return 4;  // long, single
        case 5:
        case 6:
        case 7:
            return 8;  // double, currency, date
        default:
            return -1;
    }
}

// The variant's value is kept as it stands in the file so that it is written back unchanged.
std::optional<SongLoadError> readVariant(LittleEndianReader& reader, StoredVariant* variant) {
    if (!reader.readInt16(&variant->type)) return SongLoadError::pastEndOfFile();
    if (variant->type == kStringVariant) {
        QByteArray text;
        if (!readText(reader, &text)) return SongLoadError::pastEndOfFile();
        variant->value.clear();
        appendText(&variant->value, text);
        return std::nullopt;
    }
    const int size = fixedVariantSize(variant->type);
    if (size < 0) return SongLoadError::typeMismatch();
    if (!reader.readBytes(size, &variant->value)) return SongLoadError::pastEndOfFile();
    return std::nullopt;
}

bool readNumbers(LittleEndianReader& reader, StoredPattern* record) {
    for (qint16& note : record->Notes)
        if (!reader.readInt16(&note)) return false;
    return reader.readRaw(qsizetype(record->Cells.size()),
                          reinterpret_cast<char*>(record->Cells.data()));
}

QByteArray paddedHeader(const QString& header) {
    QByteArray bytes = toWindowsCodePage(header).left(SongCodec::kHeaderBytes);
    return bytes.leftJustified(SongCodec::kHeaderBytes, ' ');
}

}  // namespace

QString SongCodec::headerText(const QString& title) {
    return title + QStringLiteral(" Version ") + appversion::text();
}

QByteArray SongCodec::encodeRecord(const StoredPattern& record, bool* lostCharacters) {
    QByteArray out;
    appendText(&out, toWindowsCodePage(record.Name, lostCharacters));
    for (qint16 value : {record.BPM, record.SubDivs, record.Takt}) appendLittleEndian(&out, value);
    for (qint16 note : record.Notes) appendLittleEndian(&out, note);
    out.append(reinterpret_cast<const char*>(record.Cells.data()), qsizetype(record.Cells.size()));
    appendLittleEndian(&out, record.Loops);
    appendLittleEndian(&out, record.Reserved);
    appendText(&out, record.ReservedText);
    appendLittleEndian(&out, record.ReservedVariant.type);
    out.append(record.ReservedVariant.value);
    return out;
}

std::optional<SongLoadError> SongCodec::decodeRecord(LittleEndianReader& reader,
                                                     StoredPattern* record) {
    QByteArray name;
    const bool read = readText(reader, &name) && reader.readInt16(&record->BPM) &&
                      reader.readInt16(&record->SubDivs) && reader.readInt16(&record->Takt) &&
                      readNumbers(reader, record) && reader.readInt16(&record->Loops) &&
                      reader.readInt32(&record->Reserved) &&
                      readText(reader, &record->ReservedText);
    record->Name = fromWindowsCodePage(name);
    if (!read) return SongLoadError::pastEndOfFile();
    return readVariant(reader, &record->ReservedVariant);
}

QByteArray SongCodec::encodeSong(const QString& header, const PatternStore& store, int songRows,
                                 bool* lostCharacters) {
    const int rows = std::clamp(songRows, 0, PatternStore::kMaxSongRows);
    QByteArray out = paddedHeader(header);
    appendLittleEndian(&out, qint16(rows));
    for (int row = 1; row <= rows; ++row) out.append(encodeRecord(store[row], lostCharacters));
    return out;
}

SongLoadResult SongCodec::decodeSong(const QByteArray& bytes, PatternStore* store) {
    SongLoadResult result;
    LittleEndianReader reader(bytes);
    QByteArray header;
    qint16 count = 0;
    const bool headerRead = reader.readBytes(kHeaderBytes, &header);
    result.header = fromWindowsCodePage(header);
    if (!headerRead || !reader.readInt16(&count)) {
        result.error = SongLoadError::pastEndOfFile();
        return result;
    }
    result.rowCount = std::max<int>(count, 0);
    for (int row = 1; row <= *result.rowCount; ++row) {
        if (row > PatternStore::kMaxSongRows) {
            result.error = SongLoadError::tooManyRows();
            return result;
        }
        (*store)[row] = StoredPattern();
        StoredPattern record;
        result.error = decodeRecord(reader, &record);
        if (result.error) return result;
        (*store)[row] = std::move(record);
        result.recordsRead = row;
    }
    return result;
}

// A folder on the way that cannot be searched hides the file: that is no missing file.
bool SongCodec::hiddenByItsFolder(const QString& path) {
#ifdef Q_OS_UNIX
    QFileInfo folder(QFileInfo(path).absolutePath());
    while (!folder.exists() && !folder.isRoot()) folder.setFile(folder.absolutePath());
    return folder.isDir() && ::access(QFile::encodeName(folder.filePath()).constData(), X_OK) != 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}

std::optional<SongLoadError> SongCodec::readFile(const QString& path, QByteArray* bytes) {
    const QFileInfo info(path);
    if (!info.exists())
        return hiddenByItsFolder(path) ? SongLoadError::pathAccess()
                                       : SongLoadError::fileNotFound();
    // A folder, a FIFO or a device is refused before it is opened: opening a FIFO blocks.
    if (!info.isFile()) return SongLoadError::pathAccess();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return SongLoadError::pathAccess();
    *bytes = sys::readAtMost(file, kMaxFileBytes);
    if (file.error() != QFileDevice::NoError) return SongLoadError::pathAccess();
    return std::nullopt;
}

std::optional<SongLoadError> SongCodec::readSong(const QString& path, Song* song) {
    QByteArray bytes;
    if (const auto error = SongCodec::readFile(path, &bytes)) return error;
    PatternStore store = song->store;
    const SongLoadResult result = SongCodec::decodeSong(bytes, &store);
    // A damaged file changes nothing; one of more than 30 rows keeps its first 30.
    if (result.error && *result.error != SongLoadError::tooManyRows()) return result.error;
    song->store = store;
    song->header = result.header;
    song->headerRows = qint16(result.rowCount.value_or(0));
    song->rows = std::min(result.rowCount.value_or(0), PatternStore::kMaxSongRows);
    return result.error;
}
