#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <optional>

// One note struck in a Standard MIDI File: when (in ticks from the start), on which channel
// (0..15), which note and how hard (1..127).
struct SmfNote {
    qint64 tick = 0;
    int channel = 0;
    int note = 0;
    int velocity = 0;
};

// What an import needs of a Standard MIDI File: the notes struck, the file's length, its
// first tempo and meter, its name and whether this program wrote it.
struct SmfContents {
    int division = 96;  // ticks per quarter note
    QList<SmfNote> notes;
    qint64 endTick = 0;  // the latest end of a track
    double microsecondsPerQuarter = 500000;
    int beatsPerBar = 4;
    int noteValue = 4;
    int timeSignatureLastByte = 8;  // 32nd notes per quarter; this program's export keeps
                                    // its steps per beat there
    QString name;                   // the first track name that is not the export's notice
    bool fromThisProgram = false;   // carries the export's notice as its copyright
};

// Reads a Standard MIDI File of format 0 or 1 with its running status, system exclusive and
// meta events. A file that lies about its lengths, has data before any status, uses SMPTE
// time or holds too many notes is refused with the reason.
class SmfReader {
    Q_DECLARE_TR_FUNCTIONS(SmfReader)

public:
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static constexpr qsizetype kMaxNotes = 1000000;

    static std::optional<SmfContents> read(const QByteArray& bytes, QString* error);

private:
    explicit SmfReader(const QByteArray& bytes) : bytes_(bytes) {}

    bool readHeader(int* tracks);
    bool readTrack();
    bool readEvent(qint64 tick, quint8* runningStatus, bool* ended);
    bool readMeta(bool* ended);
    bool readVariableLength(quint32* value);
    bool has(qint64 count) const { return end_ - at_ >= count; }
    quint8 next() { return quint8(bytes_[at_++]); }
    bool fail(const QString& reason);

    const QByteArray& bytes_;
    qint64 at_ = 0;
    qint64 end_ = 0;  // the end of the chunk being read
    bool tempoSeen_ = false;
    bool meterSeen_ = false;
    SmfContents contents_;
    QString error_;
};
