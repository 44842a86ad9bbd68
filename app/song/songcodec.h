#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class LittleEndianReader;
class PatternStore;
struct Song;
struct StoredPattern;

// Why a song file could not be loaded (completely), shown to the user as its number directly
// followed by its description, e.g. "62Einlesen hinter Dateiende".
struct SongLoadError {
    int number = 0;
    QString description;

    QString message() const { return QString::number(number) + description; }
    bool operator==(const SongLoadError&) const = default;

    static SongLoadError fileNotFound();   // 53
    static SongLoadError pastEndOfFile();  // 62
    static SongLoadError tooManyRows();    // 9
    static SongLoadError pathAccess();     // 75
    static SongLoadError typeMismatch();   // 13
};

// What reading a song file left behind.
struct SongLoadResult {
    QString header;
    // The row count as read (a negative count reads as 0, a count above 30 is kept); absent
    // when the data ended before it.
    std::optional<int> rowCount;
    // Records 1..recordsRead were read whole; the record being read when an error came is
    // left empty.
    int recordsRead = 0;
    std::optional<SongLoadError> error;
};

// The song file: a header text of 30 bytes, the row count (signed 16-bit) and that many
// stored-pattern records, all numbers little-endian, text in the Windows-1252 code page.
class SongCodec {
public:
    static constexpr int kHeaderBytes = 30;
    // No song file can be larger: 30 records whose three texts are all of the longest length.
    static constexpr qint64 kMaxFileBytes = 6 * 1024 * 1024;

    // The header a save writes: "<title> Version <major>.<minor>.<revision>".
    static QString headerText(const QString& title);

    // A name character outside the code page is written as '?' and sets *lostCharacters.
    static QByteArray encodeRecord(const StoredPattern& record, bool* lostCharacters = nullptr);
    // Reads one record at the reader's position. On an error the record is left partly read.
    static std::optional<SongLoadError> decodeRecord(LittleEndianReader& reader,
                                                     StoredPattern* record);

    // Header padded with blanks or cut to 30 bytes, the count and records 1..songRows (at
    // most the store's 30).
    static QByteArray encodeSong(const QString& header, const PatternStore& store, int songRows,
                                 bool* lostCharacters = nullptr);
    // Reads records 1..n into the store; records above n keep their content and bytes after
    // the last record are ignored.
    static SongLoadResult decodeSong(const QByteArray& bytes, PatternStore* store);

    // The file's bytes (no more than kMaxFileBytes), or 53 for a missing file and 75 for a
    // folder or a file that cannot be opened.
    // Reads a song file over a song: its records, row count and header. A file that cannot
    // be read whole changes nothing, except that one of more than 30 rows keeps its first 30.
    static std::optional<SongLoadError> readSong(const QString& path, Song* song);
    static std::optional<SongLoadError> readFile(const QString& path, QByteArray* bytes);

private:
    static bool hiddenByItsFolder(const QString& path);
};
