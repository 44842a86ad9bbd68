#pragma once

#include "pattern/pattern.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

struct SmfContents;

// Turns a Standard MIDI File into a pattern over given instrument rows: the drum channel's
// notes (channel 10, or the busiest channel when 10 has none) land in the rows whose tags
// name them, on a grid of steps per beat found from the notes' positions, with the file's
// first tempo and meter. A file this program exported comes back as the pattern it was.
class MidiImport {
public:
    static constexpr int kMaxStepsPerBeat = 8;

    struct Result {
        Pattern pattern;
        QList<int> unassigned;  // notes no row's tag names, each once, ascending
        bool cut = false;       // the file was longer than the pattern's columns
    };

    // Reads the bytes over the rows of `rows`; none (with the reason in *error) when they are
    // no MIDI file that can be read. `name` is used when the file names none.
    static std::optional<Result> fromBytes(const QByteArray& bytes, const Pattern& rows,
                                           const QString& name, QString* error);
    static Result fromContents(const SmfContents& contents, const Pattern& rows,
                               const QString& name);

    // Velocity 1..127 as a level: 1-73 light, 74-110 normal, 111-127 strong.
    static int levelOf(int velocity);
    // The finest grid the notes need, 1..kMaxStepsPerBeat steps per quarter note.
    static int stepsPerBeatOf(const QList<qint64>& ticks, int division);

    static QString unassignedText(const QList<int>& notes);
    static QString cutText();
};
