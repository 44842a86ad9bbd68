#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

class PatternStore;

// The pattern fields an export reads from the screen, as their numeric values.
struct SmfSettings {
    QString name;
    double beatsPerBar = 0;   // txtTakt
    double noteValue = 0;     // txtTNen, the time signature's denominator
    double stepsPerBeat = 0;  // txtSubdivs
    double tempo = 0;         // txtBPM, beats per minute
};

// The pattern on screen: the note of every instrument row and, per step column, the level
// of every row (steps[column - 1][row - 1]).
struct SmfPattern {
    QList<int> notes;
    QList<QList<int>> steps;
};

// Builds a Standard MIDI File of format 1 (96 ticks per quarter note) in memory: track 1
// holds the time signature, track 2 the tempo, the notice, the name and the drum notes on
// channel 10, track 3 the notice as its name. Every set cell becomes a note one step long.
class SmfBuilder {
public:
    static constexpr int kDivision = 96;
    // Note events beyond this size make the export impossible (a hostile song could ask for
    // billions of steps).
    static constexpr qsizetype kMaxEventBytes = 32 * 1024 * 1024;
    static const QString kNotice;

    // Why no file can be built: the settings give no valid file, or the note events would
    // exceed kMaxEventBytes.
    enum class Refusal { InvalidSettings, TooLarge };

    explicit SmfBuilder(SmfSettings settings) : settings_(std::move(settings)) {}

    // False when the settings give no valid file: steps per beat or tempo not above 0, a step
    // too long for a delta time, or a tempo whose microseconds per quarter need more than 3
    // bytes.
    bool isValid() const;

    // The note events of track 2 after its framing delta: a note off of note 36, then per
    // step its note ons, a step marker (note off of note 1) carrying the step's length and
    // the note offs. Empty when the export is impossible (the reason in *refusal, if given).
    std::optional<QByteArray> BuildPatternEvents(const SmfPattern& pattern,
                                                 Refusal* refusal = nullptr) const;
    // The song as it plays: each row with its own steps per beat, and a tempo event where a
    // row's tempo differs from the one in effect.
    std::optional<QByteArray> BuildSongEvents(const PatternStore& store, int songRows,
                                              Refusal* refusal = nullptr) const;

    // The whole file for the pattern (mode 1) or the song (mode 2); empty when impossible.
    static std::optional<QByteArray> exportPattern(const SmfSettings& settings,
                                                   const SmfPattern& pattern,
                                                   Refusal* refusal = nullptr);
    static std::optional<QByteArray> exportSong(const SmfSettings& settings,
                                                const PatternStore& store, int songRows,
                                                Refusal* refusal = nullptr);

    // `count` bytes holding the non-negative `value` big-endian; a fraction is rounded in the
    // last byte only (halves to even). The value must fit the bytes.
    static QByteArray BigEndianBytes(int count, double value);
    static double TicksPerStep(double stepsPerBeat) { return kDivision / stepsPerBeat; }
    // A variable-length quantity: 7 bits a byte, most significant first, 0x80 on all but the
    // last. Values up to 0x0FFFFFFF.
    static QByteArray variableLength(quint32 value);

private:
    QByteArray file(const QByteArray& MidiEvents) const;

    SmfSettings settings_;
};
